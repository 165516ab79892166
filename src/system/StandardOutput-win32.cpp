#include <windows.h>

#include "system/StandardOutput.h"
#include "system/SystemErrorText.h"

// Through the handle itself: the C library's stdout would turn every LF into CR+LF.
Status WriteToStandardOutput(const void* data, std::size_t size, bool* anyWritten) {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == INVALID_HANDLE_VALUE || output == nullptr) {
    return Status::Error(WindowsErrorText(ERROR_INVALID_HANDLE));
  }
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD wanted = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(output, next, wanted, &written, nullptr)) {
      return Status::Error(WindowsErrorText(GetLastError()));
    }
    if (written == 0) return Status::Error(WindowsErrorText(ERROR_DISK_FULL));
    *anyWritten = true;
    next += written;
    size -= written;
  }
  return Status();
}
