#include "ui/Win32DialogWindow.h"

#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "support/ScriptedCommonDialogs.h"
#include "ui/Dialog.h"

namespace {

// The conversion dialog's template as a plain modeless dialog, seen through the interface.
class Win32DialogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dialog.Create()) << GetLastError(); }

  ScriptedCommonDialogs dialogs;
  ui::Dialog dialog{IDD_CONVERT, dialogs};
  DialogWindow& window = dialog.Controls();
};

TEST_F(Win32DialogWindowTest, ControlTextsAreReadAndWrittenById) {
  EXPECT_EQ(window.GetControlText(IDC_VP_PATH), "*.txt");
  EXPECT_EQ(window.GetControlText(IDC_OUTPUT_PATH), "*.mvg");
  window.SetControlText(IDC_X_STEP, "12.5");
  EXPECT_EQ(window.GetControlText(IDC_X_STEP), "12.5");
  window.SetControlText(IDC_VP_PATH, std::string(5000, 'a'));
  EXPECT_EQ(window.GetControlText(IDC_VP_PATH).size(), 5000u);
  EXPECT_EQ(window.GetControlText(4242), "");  // no such control
}

TEST_F(Win32DialogWindowTest, EnabledStatesStartAsTheTemplateSaysAndFollowEnableControl) {
  EXPECT_TRUE(window.IsControlEnabled(IDC_X_STEP));
  EXPECT_TRUE(window.IsControlEnabled(IDC_VP_BROWSE));
  EXPECT_FALSE(window.IsControlEnabled(IDC_VP_COUNT));
  EXPECT_FALSE(window.IsControlEnabled(IDC_VP_UNITS));
  window.EnableControl(IDC_VP_UNITS, true);
  EXPECT_TRUE(window.IsControlEnabled(IDC_VP_UNITS));
  window.EnableControl(IDC_X_STEP, false);
  EXPECT_FALSE(window.IsControlEnabled(IDC_X_STEP));
  EXPECT_FALSE(window.IsControlEnabled(4242));
}

TEST_F(Win32DialogWindowTest, ComboListsKeepTheirOrderAndShowTheSelectionInTheEditField) {
  EXPECT_EQ(window.GetComboSelection(IDC_NX_INPUT), -1);
  EXPECT_EQ(window.AddComboString(IDC_NX_INPUT, "500"), 0);
  EXPECT_EQ(window.AddComboString(IDC_NX_INPUT, "2"), 1);  // unsorted
  EXPECT_EQ(window.AddComboString(IDC_NX_INPUT, "87"), 2);
  window.SetComboSelection(IDC_NX_INPUT, 1);
  EXPECT_EQ(window.GetComboSelection(IDC_NX_INPUT), 1);
  EXPECT_EQ(window.GetControlText(IDC_NX_INPUT), "2");

  window.SetComboSelection(IDC_NX_INPUT, -1);
  EXPECT_EQ(window.GetComboSelection(IDC_NX_INPUT), -1);
  EXPECT_EQ(window.GetControlText(IDC_NX_INPUT), "");

  window.SetComboSelection(IDC_NX_INPUT, 2);
  window.ResetComboList(IDC_NX_INPUT);
  EXPECT_EQ(window.GetComboSelection(IDC_NX_INPUT), -1);
  EXPECT_EQ(window.GetControlText(IDC_NX_INPUT), "");
  EXPECT_EQ(window.AddComboString(IDC_NX_INPUT, "10"), 0);
}

TEST_F(Win32DialogWindowTest, MessagesAndFileDialogsGoToTheCommonDialogsOwnedByTheDialog) {
  window.ShowMessage("Put in RUX directory file easy.bmp");
  dialogs.AnswerFileDialog("C:\\models\\vp.txt");
  dialogs.CancelFileDialog();
  FileDialogResult opened = window.RunOpenFileDialog({"C:\\*.txt", "Text files", "*.txt"});
  FileDialogResult saved = window.RunSaveFileDialog({"C:\\*.mvg", "Morvelan MVG files", "*.mvg"});

  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].owner, dialog.GetHandle());
  EXPECT_EQ(dialogs.messages[0].text, "Put in RUX directory file easy.bmp");
  ASSERT_EQ(dialogs.fileDialogs.size(), 2u);
  EXPECT_FALSE(dialogs.fileDialogs[0].save);
  EXPECT_TRUE(dialogs.fileDialogs[1].save);
  EXPECT_EQ(dialogs.fileDialogs[0].owner, dialog.GetHandle());
  EXPECT_EQ(dialogs.fileDialogs[1].request.filterPattern, "*.mvg");
  EXPECT_TRUE(opened.confirmed);
  EXPECT_EQ(opened.fileName, "vp.txt");
  EXPECT_FALSE(saved.confirmed);
}

TEST(Win32DialogWindowWithoutWindowTest, DoesNothingBeforeTheDialogHasAWindow) {
  ScriptedCommonDialogs dialogs;
  ui::Dialog dialog(IDD_CONVERT, dialogs);
  DialogWindow& window = dialog.Controls();
  window.SetControlText(IDC_X_STEP, "1");
  EXPECT_EQ(window.GetControlText(IDC_X_STEP), "");
  EXPECT_EQ(window.AddComboString(IDC_NX_INPUT, "1"), -1);
  EXPECT_EQ(window.GetComboSelection(IDC_NX_INPUT), -1);
  EXPECT_FALSE(window.IsControlEnabled(IDC_X_STEP));
}

}  // namespace
