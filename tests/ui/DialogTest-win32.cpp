#include "ui/Dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource.h"
#include "support/ScriptedCommonDialogs.h"
#include "support/ScriptedDialog.h"
#include "ui/DataExchange.h"

namespace {

// A dialog that records how it ended and binds the X-step field.
class ProbeDialog : public ui::Dialog {
 public:
  using Dialog::Dialog;
  std::vector<std::string> calls;
  float xStep = 1.5f;

 protected:
  void DoDataExchange(DataExchange& exchange) override { exchange.Text(IDC_X_STEP, xStep); }
  void OnOK() override {
    calls.push_back("OK");
    Dialog::OnOK();
  }
  void OnCancel() override {
    calls.push_back("Cancel");
    Dialog::OnCancel();
  }
};

using Probe = ScriptedDialog<ProbeDialog>;
using Calls = std::vector<std::string>;

// The owner is disabled for the run; OK takes the fields in and, while one is invalid, says so
// and leaves the dialog open; the run returns how it ended and gives the owner back.
TEST(DialogTest, ModalRunDisablesItsOwnerUntilOkTakesValidFieldsIn) {
  ScriptedCommonDialogs dialogs;
  Probe owner(IDD_ABOUT, dialogs);
  ASSERT_TRUE(owner.Create());
  Probe dialog(IDD_CONVERT, dialogs);
  HWND window = nullptr;
  dialog.Then([&](Probe& d) {
    window = d.GetHandle();
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(ui::WindowText(GetDlgItem(d, IDC_X_STEP)), "1.5");
    SetDlgItemTextA(d, IDC_X_STEP, "abc");
    SendMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  });
  dialog.Then([&](Probe& d) {
    EXPECT_TRUE(IsWindowVisible(d));
    SetDlgItemTextA(d, IDC_X_STEP, " 2.5 ");
    SendMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  });

  EXPECT_EQ(dialog.DoModal(owner), IDOK);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kEnterNumberMessage);
  EXPECT_EQ(dialogs.messages[0].owner, window);
  EXPECT_EQ(dialog.xStep, 2.5f);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(IsWindow(window));
}

// The About box is modeless and opens during the conversion dialog's modal run: our run hands
// it the keys pressed in it, so Esc is its Cancel, not the modal dialog's.
TEST(DialogTest, ModelessDialogInsideAModalRunGetsItsKeys) {
  ScriptedCommonDialogs dialogs;
  Probe modal(IDD_ABOUT, dialogs);
  Probe modeless(IDD_CONVERT, dialogs);
  modal.Then([&](Probe& d) {
    ASSERT_TRUE(modeless.Create(d));
    SetFocus(GetDlgItem(modeless, IDC_Z_STEP));
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);  // as the keyboard delivers it
  });
  modal.Then([](Probe& d) { d.EndDialog(IDOK); });

  EXPECT_EQ(modal.DoModal(), IDOK);
  EXPECT_EQ(modeless.calls, Calls{"Cancel"});
  EXPECT_EQ(modeless.GetHandle(), nullptr);
  EXPECT_TRUE(modal.calls.empty());
}

}  // namespace
