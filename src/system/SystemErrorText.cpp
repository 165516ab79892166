#include "system/SystemErrorText.h"

#include <cstring>

std::string ErrnoText(int error) {
  const char* text = std::strerror(error);
  if (text == nullptr || *text == '\0') return "error " + std::to_string(error);
  return text;
}
