#include <unistd.h>

#include <cerrno>

#include "grid/StandardOutput.h"
#include "grid/SystemErrorText.h"

Status WriteToStandardOutput(const std::vector<FileBlock>& blocks, bool* anyWritten) {
  *anyWritten = false;
  for (const FileBlock& block : blocks) {
    const char* next = static_cast<const char*>(block.data);
    std::size_t left = block.size;
    while (left > 0) {
      const ssize_t written = ::write(STDOUT_FILENO, next, left);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return Status::Error(ErrnoText(written < 0 ? errno : ENOSPC));
      *anyWritten = true;
      next += written;
      left -= static_cast<std::size_t>(written);
    }
  }
  return Status();
}
