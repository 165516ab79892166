#pragma once

#include <string>

// Thin wrappers over the C runtime's folder calls, one file per platform.

// The process's current folder, of any length; "" when it cannot be queried.
std::string QueryCurrentFolder();
bool ChangeCurrentFolder(const std::string& path);
bool PathExists(const std::string& path);
// Creates one folder level; its parent must exist.
bool MakeFolder(const std::string& path);
