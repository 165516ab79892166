#include <windows.h>

#include "system/SystemErrorText.h"

std::string WindowsErrorText(unsigned long error) {
  char text[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  // The system's texts end in ".\r\n"; our messages add their own punctuation.
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                        text[length - 1] == ' ' || text[length - 1] == '.')) {
    --length;
  }
  if (length == 0) return "error " + std::to_string(error);
  return std::string(text, length);
}
