// Runs a test's script inside a real dialog's run: ScriptedDialog<SomeDialog> is SomeDialog
// with a list of steps, each run from one posted message once the dialog has initialised.
// Messages a step posts (keys, clicks) are handled before the next step runs, and a modal
// run whose script ran out ends by itself after ten seconds with kScriptRanOut, so that a
// test never hangs.
//
//   ScriptedDialog<ConvertDialogWindow> dialog(scriptedCommonDialogs);
//   dialog.Then([](auto& d) { SendMessageA(GetDlgItem(d, 1016), BM_CLICK, 0, 0); });
//   dialog.Then([](auto& d) { PostMessageA(d, WM_COMMAND, IDOK, 0); });
//   EXPECT_EQ(dialog.DoModal(), IDOK);
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <utility>

#include "ui/MessageMap.h"

inline constexpr UINT kNextScriptStep = WM_APP + 100;
inline constexpr INT_PTR kScriptRanOut = 99;

template <class DialogClass>
class ScriptedDialog : public DialogClass {
 public:
  using Step = std::function<void(ScriptedDialog&)>;

  template <class... Args>
  explicit ScriptedDialog(Args&&... args) : DialogClass(std::forward<Args>(args)...) {}

  void Then(Step step) { steps_.push_back(std::move(step)); }

 protected:
  bool OnInitDialog() override {
    const bool setFocus = DialogClass::OnInitDialog();
    if (!steps_.empty()) this->Post(kNextScriptStep);
    return setFocus;
  }

  static const ui::MessageMapEntry messageEntries[];
  static const ui::MessageMap messageMap;
  const ui::MessageMap* GetMessageMap() const override { return &messageMap; }

 private:
  static constexpr UINT_PTR kGiveUpTimer = 0x5C1;

  LRESULT OnNextStep(WPARAM, LPARAM) {
    if (steps_.empty()) {
      // Messages the last step started may still be on their way: give up only much later.
      if (this->IsModal()) SetTimer(this->GetHandle(), kGiveUpTimer, 10000, nullptr);
      return 0;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(*this);
    if (this->GetHandle() != nullptr) this->Post(kNextScriptStep);
    return 0;
  }

  LRESULT OnTimer(WPARAM timer, LPARAM) {
    if (timer != kGiveUpTimer) {
      this->NotHandled();
      return 0;
    }
    KillTimer(this->GetHandle(), kGiveUpTimer);
    this->EndDialog(kScriptRanOut);
    return 0;
  }

  std::deque<Step> steps_;
};

template <class DialogClass>
const ui::MessageMapEntry ScriptedDialog<DialogClass>::messageEntries[] = {
    ui::OnMessage(kNextScriptStep, &ScriptedDialog::OnNextStep),
    ui::OnMessage(WM_TIMER, &ScriptedDialog::OnTimer),
    ui::EndOfMessageMap(),
};

template <class DialogClass>
const ui::MessageMap ScriptedDialog<DialogClass>::messageMap = {
    &DialogClass::messageMap, ScriptedDialog<DialogClass>::messageEntries};
