#include "dialog/ConvertDialogWindow-win32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialog/ConvertDialogControls.h"
#include "dialog/HelpText.h"
#include "resource.h"
#include "ui/ScriptedCommonDialogs.h"
#include "ui/ScriptedDialog.h"

namespace fs = std::filesystem;

namespace {

using Dialog = ScriptedDialog<ConvertDialogWindow>;

// A file of the source tree as an absolute path, valid whatever the current folder becomes.
std::string SourceFile(const std::string& relative) {
  const char* root = std::getenv("MVG_SOURCE_DIR");
  return fs::absolute(fs::path(root != nullptr ? root : ".") / relative).string();
}

// A fresh start folder with RUX/ and the three pictures, made current for the test.
class ConvertDialogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = fs::current_path();
    const std::string pictures = SourceFile("resources/RUX");
    samples = SourceFile("samples");
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    start = fs::temp_directory_path() / ("mvg-window-" + std::string(test->name()) + "-" +
                                         std::to_string(GetCurrentProcessId()));
    fs::remove_all(start);
    fs::create_directories(start / "RUX");
    for (const char* name : {kNormalPictureFile, kHoverPictureFile, kPressedPictureFile}) {
      fs::copy_file(fs::path(pictures) / name, start / "RUX" / name);
    }
    fs::current_path(start);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::current_path(previous, ignored);
    fs::remove_all(start, ignored);
  }

  std::string Sample(const char* name) const { return (fs::path(samples) / name).string(); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : dialogs.messages) texts.push_back(m.text);
    return texts;
  }

  fs::path previous;
  fs::path start;
  std::string samples;
  ScriptedCommonDialogs dialogs;
};

void Click(HWND dialog, int buttonId) {
  SendMessageA(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

// The user picks a list entry: the combo box notifies its dialog, CB_SETCURSEL alone does not.
void ChooseComboEntry(HWND dialog, int comboId, const std::string& text) {
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

// The visible top-level window that `owner` owns, such as a modal box it opened.
HWND OwnedWindow(HWND owner) {
  struct Search {
    HWND owner;
    HWND found;
  } search{owner, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetWindow(window, GW_OWNER) != s->owner || !IsWindowVisible(window)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

void ClickPicture(HWND dialog) {
  SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, Point(560, 470));
  SendMessageA(dialog, WM_LBUTTONUP, 0, Point(560, 470));
}

std::string Text(HWND dialog, int id) { return ui::WindowText(GetDlgItem(dialog, id)); }

std::vector<std::string> ComboItems(HWND dialog, int id) {
  std::vector<std::string> items;
  HWND combo = GetDlgItem(dialog, id);
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char item[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    items.push_back(item);
  }
  return items;
}

TEST_F(ConvertDialogWindowTest, StartUpFindsThePicturesInRuxBelowTheCurrentFolder) {
  ConvertDialogWindow dialog(dialogs);
  EXPECT_TRUE(fs::equivalent(dialog.Logic().workDir, start / "RUX"));
  EXPECT_NE(dialog.AppIcon(), nullptr);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(dialog.Picture().aboutOpen, 0);
  EXPECT_EQ(dialog.GetHandle(), nullptr);  // no window before the run
}

TEST_F(ConvertDialogWindowTest, PictureThatIsNotABitmapIsReportedAndStartUpGoesOn) {
  std::ofstream(start / "RUX" / kHoverPictureFile) << "GIF89a";
  Dialog dialog(dialogs);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Not Bmp File");
  EXPECT_EQ(dialogs.messages[0].owner, nullptr);

  dialog.Then([](auto& d) { SendMessageA(d, WM_MOUSEMOVE, 0, Point(560, 470)); });
  dialog.Then([](auto& d) { Click(d, IDCANCEL); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

// Constructs the dialog with message boxes written to stderr, for death tests.
void ConstructReportingMessages() {
  ScriptedCommonDialogs messages;
  messages.onMessage = [](const ScriptedCommonDialogs::Message& m) {
    std::fprintf(stderr, "[%s] owner %p\n", m.text.c_str(), static_cast<void*>(m.owner));
  };
  ConvertDialogWindow dialog(messages);
}

TEST_F(ConvertDialogWindowTest, MissingPictureIsNamedAndEndsTheProcessWithCodeZero) {
  fs::remove(start / "RUX" / kHoverPictureFile);
  EXPECT_EXIT(ConstructReportingMessages(), testing::ExitedWithCode(0),
              "^\\[Put in RUX directory file easyUnderMouse\\.bmp\\] owner 0+\n$");
  fs::remove_all(start / "RUX");
  EXPECT_EXIT(ConstructReportingMessages(), testing::ExitedWithCode(0),
              "^\\[Put in RUX directory file easy\\.bmp\\] owner 0+\n$");
}

TEST_F(ConvertDialogWindowTest, InitialisationSetsUpMenuIconsButtonsAndUnitLists) {
  Dialog dialog(dialogs);
  dialog.Then([&](auto& d) {
    HMENU menu = GetSystemMenu(d, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), SYSCMD_ABOUT);
    char entry[64] = {};
    GetMenuStringA(menu, count - 1, entry, sizeof entry, MF_BYPOSITION);
    EXPECT_STREQ(entry, "&About MorvTxtMvg...");

    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(d, WM_GETICON, ICON_SMALL, 0)), d.AppIcon());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(d, WM_GETICON, ICON_BIG, 0)), d.AppIcon());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(d, WM_QUERYDRAGICON, 0, 0)), d.AppIcon());

    for (int id : {kOkButton, kCancelButton, kVpBrowseButton, kDensityBrowseButton, kVsBrowseButton,
                   kOutputBrowseButton}) {
      SCOPED_TRACE(id);
      HWND button = GetDlgItem(d, id);
      EXPECT_EQ(GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
      EXPECT_NE(ui::Window::FromHandle(button), nullptr);
    }
    EXPECT_TRUE(d.OkButton().Faces().normalFace.HasImage());
    EXPECT_TRUE(d.CancelButton().Faces().normalFace.HasImage());

    EXPECT_EQ(ComboItems(d, kVpUnitsCombo), (std::vector<std::string>{"m/s", "ft/s"}));
    EXPECT_EQ(ComboItems(d, kVsUnitsCombo), (std::vector<std::string>{"m/s", "ft/s"}));
    EXPECT_EQ(ComboItems(d, kDensityUnitsCombo),
              (std::vector<std::string>{"kg/m3", "g/cm3", "lb/ft3"}));
    EXPECT_EQ(Text(d, kDensityUnitsCombo), "kg/m3");
    EXPECT_EQ(Text(d, kVpCountField), "0");
    EXPECT_EQ(Text(d, kXStepField), "1");
    EXPECT_EQ(Text(d, kOutputNameText), "*.mvg");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, kVpUnitsCombo)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, kZStepField)));
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ConvertDialogWindowTest, ConversionThroughTheWindowWritesTheFileAndEndsTheRun) {
  const std::string output = (start / "model.mvg").string();
  dialogs.AnswerFileDialog(Sample("vp.txt"));
  dialogs.AnswerFileDialog(Sample("density.txt"));
  dialogs.AnswerFileDialog((start / "model").string());
  Dialog dialog(dialogs);
  dialog.Then([](auto& d) {
    Click(d, kVpBrowseButton);
    Click(d, kDensityBrowseButton);
    EXPECT_EQ(Text(d, kVpNameText), "vp.txt");
    EXPECT_EQ(Text(d, kVpCountField), "4800");
    EXPECT_EQ(Text(d, kXSizeCombo), "64");  // the largest divisor up to the square root
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, kDensityUnitsCombo)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, kVsUnitsCombo)));
    ChooseComboEntry(d, kXSizeCombo, "120");
    EXPECT_EQ(Text(d, kNzInputField), "40");
    SetDlgItemTextA(d, kXStepField, "25");
    Click(d, kOutputBrowseButton);
    EXPECT_EQ(Text(d, kOutputNameText), "model.mvg");
    Click(d, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.UnusedAnswers(), 0u);
  ASSERT_TRUE(fs::exists(output));
  EXPECT_EQ(fs::file_size(output), 296u + 2u * 4800u * 4u);
  EXPECT_FLOAT_EQ(dialog.Logic().xStep, 25.0f);
  EXPECT_EQ(dialog.Logic().nxInput, 120);
}

TEST_F(ConvertDialogWindowTest, RefusedOkShowsItsMessageOverTheOpenDialog) {
  Dialog dialog(dialogs);
  HWND openDuringMessage = nullptr;
  dialogs.onMessage = [&](const ScriptedCommonDialogs::Message& m) {
    openDuringMessage = IsWindowVisible(m.owner) ? m.owner : nullptr;
  };
  dialog.Then([](auto& d) { Click(d, IDOK); });
  dialog.Then([](auto& d) {
    SetFocus(GetDlgItem(d, kXStepField));
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);  // Enter acts as OK
  });
  dialog.Then([](auto& d) { Click(d, IDCANCEL); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Open At least one input File",
                                                  "Open At least one input File"}));
  EXPECT_NE(openDuringMessage, nullptr);
}

TEST_F(ConvertDialogWindowTest, HelpPictureOpensOneModelessAboutBoxAtATime) {
  Dialog dialog(dialogs);
  HWND firstBox = nullptr;
  HWND lastBox = nullptr;
  dialog.Then([&](auto& d) {
    SendMessageA(d, WM_MOUSEMOVE, 0, Point(540, 456));
    EXPECT_EQ(d.Picture().pictureHover, 1);
    ClickPicture(d);
    ASSERT_NE(d.ModelessAbout(), nullptr);
    firstBox = d.ModelessAbout()->GetHandle();
    EXPECT_TRUE(IsWindowVisible(firstBox));
    EXPECT_EQ(GetWindow(firstBox, GW_OWNER), d.GetHandle());
    EXPECT_EQ(Text(firstBox, IDC_HELP_TEXT), WithCrLf(HelpText()));
    EXPECT_EQ(d.Picture().aboutOpen, 1);
    ClickPicture(d);  // opens nothing while the box is there
    EXPECT_EQ(d.ModelessAbout()->GetHandle(), firstBox);
    PostMessageA(firstBox, WM_KEYDOWN, VK_ESCAPE, 1);
  });
  dialog.Then([](auto&) {});  // the box's WM_ABOUT_CLOSED arrives
  dialog.Then([&](auto& d) {
    EXPECT_FALSE(IsWindow(firstBox));
    EXPECT_EQ(d.Picture().aboutOpen, 0);
    EXPECT_EQ(d.ModelessAbout(), nullptr);
    ClickPicture(d);
    ASSERT_NE(d.ModelessAbout(), nullptr);
    PostMessageA(d.ModelessAbout()->GetHandle(), WM_KEYDOWN, VK_RETURN, 1);  // Enter closes too
  });
  dialog.Then([](auto&) {});
  dialog.Then([&](auto& d) {
    EXPECT_EQ(d.Picture().aboutOpen, 0);
    ClickPicture(d);
    ASSERT_NE(d.ModelessAbout(), nullptr);
    lastBox = d.ModelessAbout()->GetHandle();
    Click(d, IDCANCEL);  // the box goes with the dialog
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_FALSE(IsWindow(lastBox));
  EXPECT_EQ(dialog.ModelessAbout(), nullptr);
  EXPECT_EQ(dialog.Picture().aboutOpen, 0);
}

TEST_F(ConvertDialogWindowTest, SystemMenuAboutIsModalToTheDialog) {
  Dialog dialog(dialogs);
  bool disabledDuringAbout = false;
  std::string aboutText;
  dialog.Then([](auto& d) { PostMessageA(d, WM_SYSCOMMAND, SYSCMD_ABOUT, 0); });
  dialog.Then([&](auto& d) {  // runs inside the About box's own run
    disabledDuringAbout = IsWindowEnabled(d) == FALSE;
    HWND box = OwnedWindow(d);
    ASSERT_NE(box, nullptr);
    aboutText = Text(box, IDC_HELP_TEXT);
    EXPECT_EQ(d.Picture().aboutOpen, 0);
    PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 1);
  });
  dialog.Then([&](auto& d) {
    EXPECT_TRUE(IsWindowEnabled(d));
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(disabledDuringAbout);
  EXPECT_EQ(aboutText, WithCrLf(HelpText()));
}

}  // namespace
