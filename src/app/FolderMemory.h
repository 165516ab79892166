#pragma once

#include <string>

// Remembers the folder where the user last chose a file, across runs, in the memory file
// "_cwd.rux" inside the resource folder (the folder "RUX" below the start folder). The file
// holds one line: the folder's path and a line end.

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Returns the resource folder: the current folder + separator + "RUX" (a root such as "C:\" or
// "/" gets no second separator). When a memory file exists, makes the remembered folder current
// and rewrites the file with the folder's trailing separators removed. Creates nothing.
std::string InitFolderMemory();

// Returns the remembered folder without trailing separators, "" when nothing is remembered
// (no memory file, or one that is empty or unreadable). Makes the remembered folder, as
// written, the current folder; a folder that no longer exists leaves the current folder alone.
// The POSIX root "/" comes back as "": the caller's separator + pattern then names the root.
std::string ReadRememberedFolder(const std::string& folder);

// Records the current folder in folder/_cwd.rux, creating folder (one level) when missing.
// Does nothing when the current folder cannot be queried or the file cannot be written.
void SaveCurrentFolder(const std::string& folder);
