#include "ui/CommonDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ui/Win32DialogWindow.h"

namespace {

// A click on a button of the dialog, as the dialog hears of it.
void Press(HWND dialog, int buttonId) { PostMessageA(dialog, WM_COMMAND, buttonId, 0); }

// Plays the user of the system dialogs this thread shows: a thread timer fires inside the
// dialog's own message loop and hands each new visible dialog window to `answer`. A dialog
// still open at the next tick after its answer is cancelled, so that a test fails, not hangs.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(std::function<void(HWND)> answer) {
    answer_ = std::move(answer);
    seen_.clear();
    timer_ = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
      EnumThreadWindows(GetCurrentThreadId(), &DialogAnswerer::OnWindow, 0);
    });
  }
  ~DialogAnswerer() { KillTimer(nullptr, timer_); }
  int dialogsSeen() const { return static_cast<int>(seen_.size()); }

 private:
  static BOOL CALLBACK OnWindow(HWND window, LPARAM) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    if (std::find(seen_.begin(), seen_.end(), window) != seen_.end()) {
      Press(window, IDCANCEL);
      return TRUE;
    }
    seen_.push_back(window);
    answer_(window);
    return FALSE;
  }

  static inline std::function<void(HWND)> answer_;
  static inline std::vector<HWND> seen_;
  UINT_PTR timer_ = 0;
};

std::string CurrentFolder() { return std::filesystem::current_path().string(); }

// The file-name field of the file dialog (cmb13).
void TypeFileName(HWND dialog, const std::string& name) {
  SetDlgItemTextA(dialog, 0x47c, name.c_str());
}

TEST(CommonDialogsTest, MessageBoxHasTheProgramsTitleAndOnlyOk) {
  DialogAnswerer answerer([&](HWND box) {
    EXPECT_EQ(ui::WindowText(box), "ui_tests");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, IDOK)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(box, IDCANCEL)));
    Press(box, IDOK);
  });
  ui::SystemCommonDialogs().ShowMessage(nullptr, "Open At least one input File");
  EXPECT_EQ(answerer.dialogsSeen(), 1);
}

// Open takes a name that does not exist yet, Save one that does without adding an extension,
// neither asks anything more; both leave the current folder at the chosen file's. Cancelled
// after browsing to another folder, the dialog leaves the current folder where it was.
TEST(CommonDialogsTest, FileDialogsMoveTheCurrentFolderToTheChoiceAndCancelPutsItBack) {
  const std::string start = CurrentFolder();
  const std::string folder = (std::filesystem::temp_directory_path() /
                              ("mvg-files-" + std::to_string(GetCurrentProcessId())))
                                 .string();
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "\\model").close();
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
    EXPECT_EQ(chosen.fullPath, chosen.folder + "\\" + chosen.fileName);
    EXPECT_EQ(_stricmp(chosen.folder.c_str(), folder.c_str()), 0) << chosen.folder;
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
  std::filesystem::remove_all(folder);
}

}  // namespace
