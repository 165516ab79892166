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

// A key press as the keyboard delivers it: to the window with the focus.
void PostKey(UINT key) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 1); }

// The owner is disabled for the run; OK takes the fields in and, while one is invalid, says so
// and leaves the dialog open; the run returns how it ended and gives the owner back.
TEST(DialogTest, ModalRunDisablesItsOwnerUntilOkTakesValidFieldsIn) {
  ScriptedCommonDialogs dialogs;
  Probe owner(IDD_ABOUT, dialogs);
  ASSERT_TRUE(owner.Create());
  Probe dialog(IDD_CONVERT, dialogs);
  HWND window = nullptr;
  bool ownerEnabled = true, openAfterRefusal = false;
  std::string shown;
  dialog.Then([&](Probe& d) {
    window = d.GetHandle();
    ownerEnabled = IsWindowEnabled(owner) != FALSE;
    shown = ui::WindowText(GetDlgItem(d, IDC_X_STEP));
    SetDlgItemTextA(d, IDC_X_STEP, "abc");
    SendMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  });
  dialog.Then([&](Probe& d) {
    openAfterRefusal = IsWindowVisible(d) != FALSE;
    SetDlgItemTextA(d, IDC_X_STEP, " 2.5 ");
    SendMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  });

  EXPECT_EQ(dialog.DoModal(owner), IDOK);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(shown, "1.5");
  EXPECT_TRUE(openAfterRefusal);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kEnterNumberMessage);
  EXPECT_EQ(dialogs.messages[0].owner, window);
  EXPECT_EQ(dialog.xStep, 2.5f);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(IsWindow(window));
}

// The About box is modeless and opens during the conversion dialog's modal run: our run hands
// it its keys, so Tab moves on, Enter is OK and Esc is Cancel there, not in the modal dialog.
TEST(DialogTest, ModelessDialogInsideAModalRunGetsTabEnterAndEsc) {
  ScriptedCommonDialogs dialogs;
  Probe modal(IDD_ABOUT, dialogs);
  Probe first(IDD_CONVERT, dialogs);
  Probe second(IDD_CONVERT, dialogs);
  bool tabbedToCancel = false;
  modal.Then([&](Probe& d) {
    ASSERT_TRUE(first.Create(d));
    SetFocus(GetDlgItem(first, IDOK));
    PostKey(VK_TAB);
  });
  modal.Then([&](Probe&) {
    tabbedToCancel = GetFocus() == GetDlgItem(first, IDCANCEL);  // the template's order
    SetFocus(GetDlgItem(first, IDC_Z_STEP));
    PostKey(VK_RETURN);
  });
  modal.Then([&](Probe& d) {
    ASSERT_TRUE(second.Create(d));
    SetFocus(GetDlgItem(second, IDC_X_STEP));
    PostKey(VK_ESCAPE);
  });
  modal.Then([](Probe& d) { d.EndDialog(IDOK); });

  EXPECT_EQ(modal.DoModal(), IDOK);
  EXPECT_TRUE(tabbedToCancel);
  EXPECT_EQ(first.calls, Calls{"OK"});
  EXPECT_EQ(second.calls, Calls{"Cancel"});
  EXPECT_EQ(first.GetHandle(), nullptr);
  EXPECT_EQ(second.GetHandle(), nullptr);
  EXPECT_TRUE(modal.calls.empty());
}

}  // namespace
