#pragma once
// The system's own words for a failed file operation, shown after our messages' "F: ".

#include <string>

// For a C library error number (errno).
std::string ErrnoText(int error);

// For a Windows error code (GetLastError); without the system's trailing full stop and line end.
std::string WindowsErrorText(unsigned long error);
