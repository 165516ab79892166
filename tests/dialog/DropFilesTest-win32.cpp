// Files dropped on the running dialog, as Explorer delivers them (WM_DROPFILES).
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "dialog/ConvertDialogControls.h"
#include "dialog/ConvertDialogWindow-win32.h"
#include "folders/FolderMemory.h"
#include "support/FakeFolders.h"
#include "support/ScriptedCommonDialogs.h"
#include "support/ScriptedDialog.h"

namespace fs = std::filesystem;

namespace {

// A drop of `paths` at `point` (client pixels of `window`), in the form Explorer posts it.
void PostDrop(HWND window, POINT point, const std::vector<std::string>& paths) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = point;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// The middle of a control, in its dialog's client pixels.
POINT MiddleOf(HWND dialog, int controlId) {
  RECT rect;
  GetWindowRect(GetDlgItem(dialog, controlId), &rect);
  POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ScreenToClient(dialog, &point);
  return point;
}

std::string Text(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// Where a drop lands is the window's to tell; what a drop does, the dialog logic's.
TEST(DropFilesTest, AnExplorerDropGoesToTheGroupBoxUnderItsPoint) {
  const fs::path folder =
      fs::temp_directory_path() / ("mvg-drop-" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(folder);
  const std::string grid = (folder / "grid.txt").string();
  std::FILE* file = std::fopen(grid.c_str(), "w");
  std::fputs("1500 1600\n1700 1800\n", file);
  std::fclose(file);

  ScriptedCommonDialogs dialogs;
  FakeFolders folders(folder.string());
  FolderMemory memory(folders, (folder / "RUX").string());
  HelpPictureImages pictures;
  ScriptedDialog<ConvertDialogWindow> dialog(dialogs, memory, pictures);
  const std::pair<int, int> boxes[] = {{kVpBrowseButton, kVpNameText},
                                       {kDensityBrowseButton, kDensityNameText},
                                       {kVsBrowseButton, kVsNameText}};
  for (const auto& [button, name] : boxes) {
    dialog.Then([button = button, &grid](auto& d) { PostDrop(d, MiddleOf(d, button), {grid}); });
    dialog.Then([name = name](auto& d) { EXPECT_EQ(Text(d, name), "grid.txt"); });
  }
  dialog.Then([&](auto& d) { PostDrop(d, MiddleOf(d, kXSizeCombo), {grid}); });
  dialog.Then([](auto& d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  const std::string refusal =
      "To load a text grid, drop one file on the box of its property: Vp, density or Vs.";
  ASSERT_EQ(dialogs.messages.size(), 1u);  // no property's box
  EXPECT_EQ(dialogs.messages[0].text, refusal);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
