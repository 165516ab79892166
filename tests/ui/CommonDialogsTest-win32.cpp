#include "ui/CommonDialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ui/Win32DialogWindow.h"

namespace {

// Plays the user of a system dialog that this thread shows: a thread timer fires inside the
// dialog's own message loop and hands every new top-level dialog window to `answer`.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(std::function<void(HWND)> answer) : answer_(std::move(answer)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, &DialogAnswerer::OnTimer);
  }
  ~DialogAnswerer() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  int dialogsSeen() const { return static_cast<int>(seen_.size()); }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr) EnumThreadWindows(GetCurrentThreadId(), &DialogAnswerer::OnWindow, 0);
  }
  static BOOL CALLBACK OnWindow(HWND window, LPARAM) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    for (HWND known : current_->seen_) {
      if (known == window) return TRUE;
    }
    current_->seen_.push_back(window);
    current_->answer_(window);
    return FALSE;
  }

  static inline DialogAnswerer* current_ = nullptr;
  std::function<void(HWND)> answer_;
  std::vector<HWND> seen_;
  UINT_PTR timer_ = 0;
};

void Press(HWND dialog, int buttonId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

std::vector<std::string> VisibleChildTexts(HWND window, const char* className) {
  struct Search {
    std::string className;
    std::vector<std::string> texts;
  } search{className, {}};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        if (_stricmp(name, s->className.c_str()) == 0 && IsWindowVisible(child)) {
          s->texts.push_back(ui::WindowText(child));
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.texts;
}

std::string CurrentFolder() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  return folder;
}

// A fresh folder under the system's temporary folder, without a trailing separator.
std::string MakeTempFolder(const char* name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// The file-name field of an Explorer-style file dialog (a combo box in newer templates).
void TypeFileName(HWND dialog, const std::string& name) {
  for (int id : {0x47c, 0x480}) {  // cmb13, edt1
    if (HWND field = GetDlgItem(dialog, id)) {
      SetWindowTextA(field, name.c_str());
      return;
    }
  }
}

TEST(CommonDialogsTest, FileTitleIsTheNameWithoutFolderAndExtension) {
  EXPECT_EQ(ui::FileTitleOf("C:\\tools\\MorvTxtMvg.exe"), "MorvTxtMvg");
  EXPECT_EQ(ui::FileTitleOf("C:\\a.b\\prog"), "prog");
  EXPECT_EQ(ui::FileTitleOf("C:prog.v2.exe"), "prog.v2");
  EXPECT_EQ(ui::FileTitleOf("/usr/bin/.hidden"), ".hidden");
  EXPECT_EQ(ui::ProgramTitle(), "ui_tests");
}

TEST(CommonDialogsTest, MessageBoxHasTheProgramTitleTheTextAndOnlyAnOkButton) {
  std::string caption;
  std::vector<std::string> texts;
  std::vector<std::string> buttons;
  DialogAnswerer answerer([&](HWND box) {
    caption = ui::WindowText(box);
    texts = VisibleChildTexts(box, "Static");
    buttons = VisibleChildTexts(box, "Button");
    Press(box, IDOK);
  });
  ui::SystemCommonDialogs dialogs;
  dialogs.ShowMessage(nullptr, "Open At least one input File");

  EXPECT_EQ(answerer.dialogsSeen(), 1);
  EXPECT_EQ(caption, "ui_tests");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Open At least one input File"), texts.end());
  EXPECT_EQ(buttons, std::vector<std::string>{"OK"});
}

TEST(CommonDialogsTest, OpenTakesANewNameSaveAddsNoExtensionNeitherAsksAndBothMoveTheFolder) {
  const std::string start = CurrentFolder();
  const std::string folder = MakeTempFolder("mvg-files-");
  const std::string existing = folder + "\\model";
  std::fclose(std::fopen(existing.c_str(), "wb"));
  ui::SystemCommonDialogs dialogs;
  for (const bool save : {false, true}) {
    const std::string typed = save ? "model" : "not there yet.txt";
    DialogAnswerer answerer([&](HWND dialog) {
      TypeFileName(dialog, typed);
      Press(dialog, IDOK);
    });
    SetCurrentDirectoryA(start.c_str());
    const FileDialogRequest request{folder + (save ? "\\*.mvg" : "\\*.txt"), "Files",
                                    save ? "*.mvg" : "*.txt"};
    const FileDialogResult chosen = save ? dialogs.RunSaveFileDialog(nullptr, request)
                                         : dialogs.RunOpenFileDialog(nullptr, request);
    EXPECT_EQ(answerer.dialogsSeen(), 1) << save;  // no "file not found", no overwrite prompt
    ASSERT_TRUE(chosen.confirmed) << save;
    EXPECT_EQ(chosen.fileName, typed);
    EXPECT_EQ(_stricmp(chosen.folder.c_str(), folder.c_str()), 0) << chosen.folder;
    EXPECT_EQ(chosen.fullPath, chosen.folder + "\\" + chosen.fileName);
    EXPECT_EQ(_stricmp(CurrentFolder().c_str(), folder.c_str()), 0) << CurrentFolder();
  }
  SetCurrentDirectoryA(start.c_str());
  DeleteFileA(existing.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST(CommonDialogsTest, CancelledDialogReturnsNothingAndLeavesTheCurrentFolder) {
  const std::string start = CurrentFolder();
  DialogAnswerer answerer([](HWND dialog) { Press(dialog, IDCANCEL); });
  FileDialogRequest request{"C:\\*.txt", "Text files", "*.txt"};
  ui::SystemCommonDialogs dialogs;
  FileDialogResult chosen = dialogs.RunOpenFileDialog(nullptr, request);

  EXPECT_FALSE(chosen.confirmed);
  EXPECT_TRUE(chosen.fullPath.empty());
  EXPECT_EQ(CurrentFolder(), start);
}

}  // namespace
