#include <unistd.h>

#include <cerrno>

#include "system/StandardOutput.h"
#include "system/SystemErrorText.h"

Status WriteToStandardOutput(const void* data, std::size_t size, bool* anyWritten) {
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(STDOUT_FILENO, next, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return Status::Error(ErrnoText(written < 0 ? errno : ENOSPC));
    *anyWritten = true;
    next += written;
    size -= static_cast<std::size_t>(written);
  }
  return Status();
}
