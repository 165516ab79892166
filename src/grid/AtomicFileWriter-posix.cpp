// POSIX: open(O_EXCL) a temporary, write, fsync, close, rename over the target.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "grid/AtomicFileWriter.h"
#include "grid/SystemErrorText.h"

namespace {

constexpr int kAttempts = 100;

Status Failed(int error) { return Status::Error(ErrnoText(error)); }

// Returns 0 or the errno of the failure; a write that stores nothing counts as a full disk.
int WriteAll(int fd, const void* data, std::size_t size) {
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, next, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    next += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

// Makes the rename itself durable; a folder that cannot be synced loses nothing written.
void SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

Status WriteFileAtomically(const std::string& path, const std::vector<FileBlock>& blocks) {
  if (path.empty()) return Failed(ENOENT);
  struct stat existing;
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return Failed(EISDIR);
  // rename would replace a file the user may not write; the user meant it to stay.
  if (exists && ::access(path.c_str(), W_OK) != 0) return Failed(errno);

  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < kAttempts && fd < 0; ++attempt) {
    temporary = TemporaryFileName(path, static_cast<std::uint64_t>(::getpid()), attempt);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return Failed(errno);
  }
  if (fd < 0) return Failed(EEXIST);
  // A replaced file keeps its permissions; a new one gets 0666 less the umask.
  if (exists && S_ISREG(existing.st_mode)) ::fchmod(fd, existing.st_mode & 07777);

  int error = 0;
  for (const FileBlock& block : blocks) {
    error = WriteAll(fd, block.data, block.size);
    if (error != 0) break;
  }
  // EINVAL: a file system without sync; the data then is as safe as that system makes it.
  if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return Failed(error);
  }
  SyncFolderOf(path);
  return Status();
}
