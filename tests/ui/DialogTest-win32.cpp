#include "ui/Dialog.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "resource.h"
#include "support/ScriptedCommonDialogs.h"
#include "support/ScriptedDialog.h"
#include "ui/DataExchange.h"

namespace {

// A dialog that records its hooks and can bind the X-step field.
class ProbeDialog : public ui::Dialog {
 public:
  ProbeDialog(int templateId, ui::CommonDialogs& dialogs) : Dialog(templateId, dialogs) {}

  std::vector<std::string> calls;
  bool bindXStep = false;
  float xStep = 1.0f;

 protected:
  bool OnInitDialog() override {
    calls.push_back("OnInitDialog");
    return Dialog::OnInitDialog();
  }
  void DoDataExchange(DataExchange& exchange) override {
    if (bindXStep) exchange.Text(IDC_X_STEP, xStep);
  }
  void OnOK() override {
    calls.push_back("OnOK");
    Dialog::OnOK();
  }
  void OnCancel() override {
    calls.push_back("OnCancel");
    Dialog::OnCancel();
  }
};

// Takes IDCANCEL itself; looks at IDOK and passes it on to the base map.
class RoutingDialog : public ProbeDialog {
 public:
  using ProbeDialog::ProbeDialog;

 private:
  LRESULT OnOwnCancel(WPARAM, LPARAM) {
    calls.push_back("own IDCANCEL");
    return 0;
  }
  LRESULT OnOwnOk(WPARAM, LPARAM) {
    calls.push_back("own IDOK");
    NotHandled();
    return 0;
  }

  UI_DECLARE_MESSAGE_MAP()
};

using Probe = ScriptedDialog<ProbeDialog>;
using Calls = std::vector<std::string>;

void PostCommand(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// A key press as the keyboard delivers it: to the window with the focus.
void PostKey(UINT key) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 1); }

std::string TextOf(HWND window) { return ui::WindowText(window); }

TEST(DialogTest, ModalRunShowsTheTemplateDisablesItsOwnerAndDestroysTheWindowAfterEndDialog) {
  ScriptedCommonDialogs dialogs;
  Probe owner(IDD_ABOUT, dialogs);
  ASSERT_TRUE(owner.Create());
  Probe dialog(IDD_ABOUT, dialogs);
  HWND seen = nullptr, ownerOfDialog = nullptr;
  bool visible = false, ownerEnabledDuringRun = true;
  std::string title;
  dialog.Then([&](Probe& d) {
    seen = d.GetHandle();
    visible = IsWindowVisible(seen) != FALSE;  // the About template is not visible itself
    title = TextOf(seen);
    ownerEnabledDuringRun = IsWindowEnabled(owner) != FALSE;
    ownerOfDialog = GetWindow(d, GW_OWNER);
    d.EndDialog(7);
  });

  EXPECT_EQ(dialog.DoModal(owner), 7);
  EXPECT_TRUE(visible);
  EXPECT_EQ(title, "About MorvTxtMvg");
  EXPECT_FALSE(ownerEnabledDuringRun);
  EXPECT_EQ(ownerOfDialog, owner.GetHandle());
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(IsWindow(seen));
  EXPECT_EQ(dialog.GetHandle(), nullptr);
  EXPECT_FALSE(dialog.IsModal());
  EXPECT_EQ(dialog.calls, Calls{"OnInitDialog"});

  // The same object runs again.
  dialog.Then([](Probe& d) { d.EndDialog(8); });
  EXPECT_EQ(dialog.DoModal(), 8);
}

TEST(DialogTest, CancelButtonEscAndCloseBoxEndTheRunThroughOnCancelEnterThroughOnOk) {
  ScriptedCommonDialogs dialogs;
  struct Way {
    std::function<void(Probe&)> act;
    INT_PTR result;
  };
  const Way ways[] = {
      {[](Probe& d) { SendMessageA(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }, IDCANCEL},
      {[](Probe&) { PostKey(VK_ESCAPE); }, IDCANCEL},
      {[](Probe& d) { PostMessageA(d, WM_CLOSE, 0, 0); }, IDCANCEL},
      {[](Probe& d) {  // in an edit field Enter acts as the default button
         SetFocus(GetDlgItem(d, IDC_X_STEP));
         PostKey(VK_RETURN);
       },
       IDOK},
  };
  for (const Way& way : ways) {
    Probe dialog(IDD_CONVERT, dialogs);
    dialog.Then(way.act);
    EXPECT_EQ(dialog.DoModal(), way.result);
    EXPECT_EQ(dialog.calls, (Calls{"OnInitDialog", way.result == IDOK ? "OnOK" : "OnCancel"}));
  }
}

TEST(DialogTest, OkTakesTheControlsInAndStaysOpenWhileAFieldIsInvalid) {
  ScriptedCommonDialogs dialogs;
  Probe dialog(IDD_CONVERT, dialogs);
  dialog.bindXStep = true;
  dialog.xStep = 1.5f;
  std::string shownAtStart;
  bool openAfterRefusal = false;
  dialog.Then([&](Probe& d) {
    shownAtStart = TextOf(GetDlgItem(d, IDC_X_STEP));
    SetDlgItemTextA(d, IDC_X_STEP, "abc");
    PostCommand(d, IDOK);
  });
  dialog.Then([&](Probe& d) {
    openAfterRefusal = d.GetHandle() != nullptr;
    SetDlgItemTextA(d, IDC_X_STEP, " 2.5 ");
    PostCommand(d, IDOK);
  });

  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(shownAtStart, "1.5");
  EXPECT_TRUE(openAfterRefusal);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kEnterNumberMessage);
  EXPECT_NE(dialogs.messages[0].owner, nullptr);
  EXPECT_EQ(dialog.xStep, 2.5f);
  EXPECT_EQ(dialog.calls, (Calls{"OnInitDialog", "OnOK", "OnOK"}));
}

TEST(DialogTest, ClassMapComesFirstAndTheBaseMapRoutesWhatItPassesOn) {
  ScriptedCommonDialogs dialogs;
  ScriptedDialog<RoutingDialog> dialog(IDD_CONVERT, dialogs);
  bool openAfterCancel = false;
  dialog.Then([](auto& d) { PostCommand(d, IDCANCEL); });
  dialog.Then([&](auto& d) {
    openAfterCancel = d.GetHandle() != nullptr;
    PostCommand(d, IDOK);
  });

  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(openAfterCancel);
  EXPECT_EQ(dialog.calls, (Calls{"OnInitDialog", "own IDCANCEL", "own IDOK", "OnOK"}));
}

TEST(DialogTest, ModelessCreateLeavesAHiddenTemplateHiddenCancelOrDestroyingTheObjectEndsIt) {
  ScriptedCommonDialogs dialogs;
  Probe owner(IDD_ABOUT, dialogs);
  ASSERT_TRUE(owner.Create());
  Probe dialog(IDD_ABOUT, dialogs);

  ASSERT_TRUE(dialog.Create(owner));
  HWND window = dialog.GetHandle();
  EXPECT_FALSE(dialog.IsModal());
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetWindow(window, GW_OWNER), owner.GetHandle());
  EXPECT_EQ(ui::Dialog::FromDialogHandle(window), &dialog);
  EXPECT_FALSE(dialog.Create(owner));  // one window at a time

  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(dialog.GetHandle(), nullptr);
  EXPECT_EQ(dialog.calls, (Calls{"OnInitDialog", "OnCancel"}));

  ASSERT_TRUE(dialog.Create(owner));
  EXPECT_TRUE(IsWindow(dialog.GetHandle()));

  // Destroying the object destroys a window still open.
  HWND visibleWindow = nullptr;
  {
    Probe convert(IDD_CONVERT, dialogs);
    ASSERT_TRUE(convert.Create());
    visibleWindow = convert.GetHandle();
    EXPECT_TRUE(IsWindowVisible(visibleWindow));  // this template is visible itself
  }
  EXPECT_FALSE(IsWindow(visibleWindow));
}

TEST(DialogTest, ModelessDialogInsideAModalRunGetsTabEnterAndEsc) {
  ScriptedCommonDialogs dialogs;
  Probe modal(IDD_ABOUT, dialogs);
  Probe first(IDD_CONVERT, dialogs);
  Probe second(IDD_CONVERT, dialogs);
  HWND focusAfterTab = nullptr;
  HWND nextAfterOk = nullptr;
  HWND firstWindow = nullptr;
  HWND secondWindow = nullptr;
  modal.Then([&](Probe& d) {
    ASSERT_TRUE(first.Create(d));
    firstWindow = first.GetHandle();
    SetFocus(GetDlgItem(first, IDOK));
    PostKey(VK_TAB);
  });
  modal.Then([&](Probe&) {
    focusAfterTab = GetFocus();
    nextAfterOk = GetDlgItem(first, IDCANCEL);  // tab order follows the template
    SetFocus(GetDlgItem(first, IDC_Z_STEP));
    PostKey(VK_RETURN);
  });
  modal.Then([&](Probe& d) {
    ASSERT_TRUE(second.Create(d));
    secondWindow = second.GetHandle();
    SetFocus(GetDlgItem(second, IDC_X_STEP));
    PostKey(VK_ESCAPE);
  });
  modal.Then([](Probe& d) { d.EndDialog(IDOK); });

  EXPECT_EQ(modal.DoModal(), IDOK);
  EXPECT_EQ(focusAfterTab, nextAfterOk);
  EXPECT_EQ(first.calls, (Calls{"OnInitDialog", "OnOK"}));
  EXPECT_FALSE(IsWindow(firstWindow));
  EXPECT_EQ(second.calls, (Calls{"OnInitDialog", "OnCancel"}));
  EXPECT_FALSE(IsWindow(secondWindow));
  EXPECT_EQ(modal.calls, Calls{"OnInitDialog"});  // the keys went to the modeless boxes only
}

TEST(DialogTest, KeysForWindowsThatAreNotOurDialogsAreLeftToTheLoop) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "DialogTestPlain";
  RegisterClassA(&windowClass);
  HWND plain = CreateWindowExA(0, "DialogTestPlain", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(plain, nullptr);
  MSG key = {plain, WM_KEYDOWN, VK_ESCAPE, 1, 0, {0, 0}};
  EXPECT_FALSE(ui::Dialog::PreTranslateDialogMessage(key));
  MSG noWindow = {nullptr, WM_KEYDOWN, VK_ESCAPE, 1, 0, {0, 0}};
  EXPECT_FALSE(ui::Dialog::PreTranslateDialogMessage(noWindow));
  DestroyWindow(plain);
}

// clang-format off
UI_BEGIN_MESSAGE_MAP(RoutingDialog, ProbeDialog)
  ui::OnCommand(BN_CLICKED, IDCANCEL, &RoutingDialog::OnOwnCancel),
  ui::OnCommand(BN_CLICKED, IDOK, &RoutingDialog::OnOwnOk),
UI_END_MESSAGE_MAP()
// clang-format on

}  // namespace
