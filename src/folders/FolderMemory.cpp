#include "folders/FolderMemory.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr char kMemoryFileName[] = "_cwd.rux";

std::string MemoryFilePath(const std::string& folder) {
  return folder + kPathSeparator + kMemoryFileName;
}

// The first line of the memory file without its line end (LF or CR LF), of any length.
// Nothing when the file is missing, unreadable, or its first line is empty.
bool ReadMemoryLine(const std::string& folder, std::string& line) {
  std::FILE* file = std::fopen(MemoryFilePath(folder).c_str(), "rb");
  if (file == nullptr) return false;
  line.clear();
  bool lineEnded = false;
  char chunk[4096];
  while (!lineEnded) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
    const std::string_view piece(chunk, got);
    const std::size_t end = piece.find('\n');
    lineEnded = end != std::string_view::npos;
    line.append(piece.substr(0, end));
    if (got < sizeof chunk) break;
  }
  const bool failed = std::ferror(file) != 0;  // e.g. the memory file is a folder
  std::fclose(file);
  if (lineEnded && !line.empty() && line.back() == '\r') line.pop_back();
  return !failed && !line.empty();
}

// Rewrites the memory file whole; a file that cannot be written is left alone.
void WriteMemoryLine(const std::string& folder, const std::string& line) {
  std::FILE* file = std::fopen(MemoryFilePath(folder).c_str(), "w");  // text mode: CR LF on Windows
  if (file == nullptr) return;
  std::fwrite(line.data(), 1, line.size(), file);
  std::fputc('\n', file);
  std::fclose(file);
}

std::string WithoutTrailingSeparators(std::string path) {
  while (!path.empty() && path.back() == kPathSeparator) path.pop_back();
  return path;
}

// Garbage holding a NUL byte names no folder; the runtime would see only its start.
bool ChangeToRememberedFolder(Folders& folders, const std::string& line) {
  return line.find('\0') == std::string::npos && folders.ChangeCurrent(line);
}

}  // namespace

std::string InitFolderMemory(Folders& folders) {
  std::string resourceFolder = folders.Current();
  if (resourceFolder.empty()) resourceFolder = ".";
  if (resourceFolder.back() != kPathSeparator) resourceFolder += kPathSeparator;
  resourceFolder += "RUX";

  std::string line;
  // A folder that is gone, or a line no folder can have (written in another code page), counts
  // as nothing remembered.
  if (ReadMemoryLine(resourceFolder, line) && ChangeToRememberedFolder(folders, line)) {
    // A root that trims to nothing ("/") is kept as written, so it is not forgotten.
    const std::string trimmed = WithoutTrailingSeparators(line);
    WriteMemoryLine(resourceFolder, trimmed.empty() ? line : trimmed);
  }
  return resourceFolder;
}

std::string FolderMemory::ReadRememberedFolder() {
  std::string line;
  if (!ReadMemoryLine(resourceFolder_, line)) return {};
  if (!ChangeToRememberedFolder(folders_, line)) return {};
  return WithoutTrailingSeparators(line);
}

void FolderMemory::SaveCurrentFolder() {
  const std::string current = folders_.Current();
  if (current.empty()) return;
  if (!folders_.Exists(resourceFolder_)) folders_.Make(resourceFolder_);
  WriteMemoryLine(resourceFolder_, current);
}
