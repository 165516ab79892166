#include "ui/CommonDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ui/Win32DialogWindow.h"

namespace {

// Plays the user of the system dialogs this thread shows: a thread timer fires inside the
// dialog's own message loop and hands each new visible dialog window to `answer`.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(std::function<void(HWND)> answer) {
    answer_ = std::move(answer);
    seen_.clear();
    timer_ = SetTimer(nullptr, 0, 50, &DialogAnswerer::OnTimer);
  }
  ~DialogAnswerer() { KillTimer(nullptr, timer_); }
  int dialogsSeen() const { return static_cast<int>(seen_.size()); }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &DialogAnswerer::OnWindow, 0);
  }
  static BOOL CALLBACK OnWindow(HWND window, LPARAM) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    for (HWND known : seen_) {
      if (known == window) return TRUE;
    }
    seen_.push_back(window);
    answer_(window);
    return FALSE;
  }

  static inline std::function<void(HWND)> answer_;
  static inline std::vector<HWND> seen_;
  UINT_PTR timer_ = 0;
};

void Press(HWND dialog, int buttonId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

// The texts of a window's visible children of a class.
std::vector<std::string> ChildTexts(HWND window, const char* className) {
  std::vector<std::string> texts;
  for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassNameA(c, name, sizeof name);
    if (_stricmp(name, className) == 0 && IsWindowVisible(c)) texts.push_back(ui::WindowText(c));
  }
  return texts;
}

std::string CurrentFolder() { return std::filesystem::current_path().string(); }

// The file-name field of an Explorer-style file dialog (a combo box in newer templates).
void TypeFileName(HWND dialog, const std::string& name) {
  HWND field = GetDlgItem(dialog, 0x47c);                                              // cmb13
  SetWindowTextA(field != nullptr ? field : GetDlgItem(dialog, 0x480), name.c_str());  // edt1
}

TEST(CommonDialogsTest, MessageBoxHasTheProgramsTitleAndOnlyOk) {
  std::string caption;
  std::vector<std::string> buttons;
  DialogAnswerer answerer([&](HWND box) {
    caption = ui::WindowText(box);
    buttons = ChildTexts(box, "Button");
    Press(box, IDOK);
  });
  ui::SystemCommonDialogs().ShowMessage(nullptr, "Open At least one input File");
  EXPECT_EQ(answerer.dialogsSeen(), 1);
  EXPECT_EQ(caption, "ui_tests");
  EXPECT_EQ(buttons, std::vector<std::string>{"OK"});
}

// Open takes a name that does not exist yet, Save one that does without adding an extension,
// neither asks anything more; both leave the current folder at the chosen file's. Cancelled
// after browsing to another folder, the dialog leaves the current folder where it was.
TEST(CommonDialogsTest, FileDialogsMoveTheCurrentFolderToTheChoiceAndCancelPutsItBack) {
  const std::string start = CurrentFolder();
  const std::filesystem::path files = std::filesystem::temp_directory_path() /
                                      ("mvg-files-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(files);
  std::ofstream(files / "model").close();
  const std::string folder = files.string();
  ui::SystemCommonDialogs dialogs;
  for (const bool save : {false, true}) {
    const std::string typed = save ? "model" : "not there yet.txt";
    DialogAnswerer answerer([&](HWND dialog) {
      TypeFileName(dialog, typed);
      Press(dialog, IDOK);
    });
    SetCurrentDirectoryA(start.c_str());
    const FileDialogRequest request{folder + "\\*.*", "Files", "*.*"};
    const FileDialogResult chosen = save ? dialogs.RunSaveFileDialog(nullptr, request)
                                         : dialogs.RunOpenFileDialog(nullptr, request);
    EXPECT_EQ(answerer.dialogsSeen(), 1) << save;
    ASSERT_TRUE(chosen.confirmed) << save;
    EXPECT_EQ(chosen.fileName, typed);
    EXPECT_EQ(_stricmp(chosen.folder.c_str(), folder.c_str()), 0) << chosen.folder;
    EXPECT_EQ(chosen.fullPath, chosen.folder + "\\" + chosen.fileName);
    EXPECT_EQ(_stricmp(CurrentFolder().c_str(), folder.c_str()), 0) << CurrentFolder();
  }

  DialogAnswerer answerer([&](HWND dialog) {
    TypeFileName(dialog, folder);  // browses into the folder
    Press(dialog, IDOK);
    Press(dialog, IDCANCEL);
  });
  SetCurrentDirectoryA(start.c_str());
  const FileDialogResult cancelled =
      dialogs.RunOpenFileDialog(nullptr, {start + "\\*.*", "Files", "*.*"});
  EXPECT_FALSE(cancelled.confirmed);
  EXPECT_EQ(CurrentFolder(), start);
  std::filesystem::remove_all(files);
}

}  // namespace
