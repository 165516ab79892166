#pragma once
// Whether two paths name one file, however each reaches it (another spelling, a link).

#include <string>

// True when both exist and are the same file; false when either does not exist.
bool IsSameFile(const std::string& a, const std::string& b);
