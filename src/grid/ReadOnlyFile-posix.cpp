#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "grid/ReadOnlyFile.h"
#include "grid/SystemErrorText.h"

namespace {
std::string SystemReason(int error) { return ErrnoText(error); }
}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool ReadOnlyFile::Open(const std::string& path, std::string* reason) {
  // Without blocking: a named pipe would wait for a writer; it is refused below anyway.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    *reason = SystemReason(errno);
    return false;
  }
  struct stat status {};
  if (fstat(fd, &status) != 0) {
    *reason = SystemReason(errno);
    close(fd);
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    // A text grid is read twice and at any offset: only a regular file will do.
    *reason = S_ISDIR(status.st_mode) ? SystemReason(EISDIR) : "Not a regular file";
    close(fd);
    return false;
  }
  handle_ = fd;
  size_ = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
  return true;
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
                          std::string* reason) const {
  *got = 0;
  while (*got < size) {
    const ssize_t n = pread(static_cast<int>(handle_), buffer + *got, size - *got,
                            static_cast<off_t>(offset + *got));
    if (n < 0) {
      if (errno == EINTR) continue;
      *reason = SystemReason(errno);
      return false;
    }
    if (n == 0) break;
    *got += static_cast<std::size_t>(n);
  }
  return true;
}
