#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "system/ReadOnlyFile.h"
#include "system/SystemErrorText.h"

namespace {
std::string SystemReason(int error) { return ErrnoText(error); }
}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
  if (handle_ >= 0 && ownsHandle_) close(static_cast<int>(handle_));
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
    // Only standard input is read as a stream; a named pipe or device could wait forever.
    *reason = S_ISDIR(status.st_mode) ? SystemReason(EISDIR) : "Not a regular file";
    close(fd);
    return false;
  }
  handle_ = fd;
  regular_ = true;
  size_ = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
  return true;
}

bool ReadOnlyFile::OpenStandardInput(std::string* reason) {
  struct stat status {};
  if (fstat(STDIN_FILENO, &status) != 0) {
    *reason = SystemReason(errno);
    return false;
  }
  if (S_ISDIR(status.st_mode)) {
    *reason = SystemReason(EISDIR);
    return false;
  }
  handle_ = STDIN_FILENO;
  ownsHandle_ = false;
  const off_t at = lseek(STDIN_FILENO, 0, SEEK_CUR);
  regular_ = S_ISREG(status.st_mode) && at >= 0;
  if (regular_) {
    start_ = static_cast<std::uint64_t>(at);
    size_ = status.st_size > at ? static_cast<std::uint64_t>(status.st_size - at) : 0;
  }
  // A pipe's larger buffer means fewer wake-ups of reader and writer; the system may refuse.
#if defined(F_SETPIPE_SZ)
  if (S_ISFIFO(status.st_mode)) fcntl(STDIN_FILENO, F_SETPIPE_SZ, 1 << 20);
#endif
  return true;
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
                          std::string* reason) const {
  *got = 0;
  while (*got < size) {
    const ssize_t n = pread(static_cast<int>(handle_), buffer + *got, size - *got,
                            static_cast<off_t>(start_ + offset + *got));
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

bool ReadOnlyFile::ReadStream(char* buffer, std::size_t size, std::size_t* got,
                              std::string* reason) {
  *got = 0;
  while (*got < size) {
    const ssize_t n = read(static_cast<int>(handle_), buffer + *got, size - *got);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        // Standard input left non-blocking by whoever started us: wait for more.
        pollfd ready{static_cast<int>(handle_), POLLIN, 0};
        poll(&ready, 1, -1);
        continue;
      }
      *reason = SystemReason(errno);
      return false;
    }
    if (n == 0) break;
    *got += static_cast<std::size_t>(n);
  }
  return true;
}
