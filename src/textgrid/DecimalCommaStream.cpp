#include "textgrid/DecimalCommaStream.h"

bool DecimalCommaStream::Read(char* buffer, std::size_t size, std::size_t* got,
                              std::string* problem) {
  if (!text_.Read(buffer, size, got, problem)) return false;
  for (std::size_t i = 0; i < *got; ++i) {
    const char c = buffer[i];
    buffer[i] = c == ',' ? '.' : c == ';' ? ' ' : c;
  }
  return true;
}
