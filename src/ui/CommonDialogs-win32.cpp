#include "ui/CommonDialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "system/Folders.h"

namespace ui {

namespace {

// Room for long paths; the dialog reports a longer choice as an error, taken as cancelled.
constexpr DWORD kPathBufferSize = 32768;

// "Text files\0*.txt\0\0": each entry a description then a pattern.
std::string FilterOf(const FileDialogRequest& request) {
  std::string filter = request.filterDescription;
  filter += '\0';
  filter += request.filterPattern;
  filter += '\0';
  if (request.alsoAll) {
    filter += "All files (*.*)";
    filter += '\0';
    filter += "*.*";
    filter += '\0';
  }
  filter += '\0';
  return filter;
}

FileDialogResult RunFileDialog(HWND owner, const FileDialogRequest& request, bool save) {
  std::vector<char> path(kPathBufferSize, '\0');
  request.initialFileName.copy(path.data(), path.size() - 1);
  const std::string filter = FilterOf(request);

  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  if (!request.title.empty()) dialog.lpstrTitle = request.title.c_str();
  dialog.nMaxFile = kPathBufferSize;
  // No default extension, no existence checks, no overwrite prompt: the caller decides.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
  ProcessFolders folders;
  const std::string startFolder = folders.Current();
  BOOL confirmed = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);

  FileDialogResult result;
  if (!confirmed) {
    // Wine's dialog moves the current folder while browsing; a cancelled one moves nothing.
    if (!startFolder.empty()) folders.ChangeCurrent(startFolder);
    return result;
  }
  result.confirmed = true;
  result.fullPath = path.data();
  const std::size_t nameAt = std::min<std::size_t>(dialog.nFileOffset, result.fullPath.size());
  result.fileName = result.fullPath.substr(nameAt);
  result.folder = result.fullPath.substr(0, nameAt);
  // Keep the separator of a root ("C:\"), drop it otherwise.
  if (result.folder.size() > 1 && result.folder.back() == '\\' &&
      result.folder[result.folder.size() - 2] != ':') {
    result.folder.pop_back();
  }
  // Windows moves the current folder with the dialog, Wine not always: set it ourselves.
  if (!result.folder.empty()) folders.ChangeCurrent(result.folder);
  return result;
}

}  // namespace

void SystemCommonDialogs::ShowMessage(HWND owner, const std::string& text) {
  UINT type = MB_OK | MB_ICONEXCLAMATION;
  if (owner == nullptr) type |= MB_TASKMODAL;
  MessageBoxA(owner, text.c_str(), ProgramTitle().c_str(), type);
}

bool SystemCommonDialogs::AskYesNo(HWND owner, const std::string& text) {
  return MessageBoxA(owner, text.c_str(), ProgramTitle().c_str(),
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

FileDialogResult SystemCommonDialogs::RunOpenFileDialog(HWND owner,
                                                        const FileDialogRequest& request) {
  return RunFileDialog(owner, request, false);
}

FileDialogResult SystemCommonDialogs::RunSaveFileDialog(HWND owner,
                                                        const FileDialogRequest& request) {
  return RunFileDialog(owner, request, true);
}

std::string ProgramTitle() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) return FileTitleOf(std::string(path.data(), length));
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
}

std::string FileTitleOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace ui
