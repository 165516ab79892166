#pragma once
// Remembers the folder where the user last chose a file, across runs, in the memory file
// "_cwd.rux" inside the resource folder (the folder "RUX" below the start folder). The file
// holds one line: the folder's path and a line end.

#include <string>
#include <utility>

#include "system/Folders.h"

// Returns the resource folder: the current folder + separator + "RUX" (a root such as "C:\" or
// "/" gets no second separator). When a memory file names a folder that exists, makes it current
// and rewrites the file with the folder's trailing separators removed. Creates nothing.
std::string InitFolderMemory(Folders& folders);

class FolderMemory {
 public:
  // resourceFolder: InitFolderMemory's result.
  FolderMemory(Folders& folders, std::string resourceFolder)
      : folders_(folders), resourceFolder_(std::move(resourceFolder)) {}

  const std::string& ResourceFolder() const { return resourceFolder_; }

  // Returns the remembered folder without trailing separators, "" when nothing is remembered
  // (no memory file, one that is empty or unreadable, or a folder that no longer exists). Makes
  // the remembered folder, as written, the current folder.
  // The POSIX root "/" comes back as "": the caller's separator + pattern then names the root.
  std::string ReadRememberedFolder();

  // Makes a folder current, as a file dialog that confirms a file in it does ("" changes nothing).
  void MakeCurrent(const std::string& folder) {
    if (!folder.empty()) folders_.ChangeCurrent(folder);
  }

  // Records the current folder in the memory file, creating the resource folder (one level) when
  // missing. Does nothing when the current folder cannot be queried or the file not be written.
  void SaveCurrentFolder();

 private:
  Folders& folders_;
  std::string resourceFolder_;
};
