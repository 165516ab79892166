// POSIX: open(O_EXCL) a temporary and lock it, write, fsync, close, rename over the target; or
// open the stream and write to it.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

#include "system/AtomicFileWriter.h"
#include "system/OutputTarget.h"
#include "system/SystemErrorText.h"

namespace {

constexpr int kAttempts = 100;

Status Failed(int error) { return Status::Error(ErrnoText(error)); }

// Returns 0 or the errno of the failure; a write that stores nothing counts as a full disk.
// *anyWritten is set once some bytes went out.
int WriteAll(int fd, const void* data, std::size_t size, bool* anyWritten) {
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, next, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    *anyWritten = true;
    next += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a folder that cannot be synced loses nothing written.
void SyncFolderOf(const std::string& path) {
  const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool ProcessIsGone(std::uint64_t processId) {
  if (processId == 0 || processId > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) {
    return false;
  }
  return ::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
}

// Temporaries of earlier writes to path whose process is gone, killed before it could remove its
// own. A writer locks its temporary for as long as it writes, so one still being written (by a
// process of the same number on another machine sharing the folder) is never taken.
void RemoveStaleTemporaries(const std::string& path) {
  const std::string folder = FolderOf(path);
  DIR* const entries = ::opendir(folder.c_str());
  if (entries == nullptr) return;
  while (const dirent* entry = ::readdir(entries)) {
    std::uint64_t processId = 0;
    if (!IsTemporaryFileOf(path, entry->d_name, &processId) || !ProcessIsGone(processId)) continue;
    const std::string stale = folder + "/" + entry->d_name;
    const int fd = ::open(stale.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(stale.c_str());
    ::close(fd);
  }
  ::closedir(entries);
}

}  // namespace

Status AtomicFileWriter::Begin(const std::string& given) {
  Abandon();
  failure_ = Status();
  stream_ = streamed_ = false;
  if (given.empty()) return failure_ = Failed(ENOENT);
  const OutputTarget target = FindOutputTarget(given);
  const std::string& path = target.path;
  if (target.stream) {
    // No O_TRUNC: a device or a pipe has nothing to cut, and a terminal's mode stays.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return failure_ = Failed(errno);
    handle_ = fd;
    stream_ = true;
    path_ = path;
    return Status();
  }
  struct stat existing;
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return failure_ = Failed(EISDIR);
  // rename would replace a file the user may not write; the user meant it to stay.
  if (exists && ::access(path.c_str(), W_OK) != 0) return failure_ = Failed(errno);
  RemoveStaleTemporaries(path);

  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < kAttempts && fd < 0; ++attempt) {
    temporary = TemporaryFileName(path, static_cast<std::uint64_t>(::getpid()), attempt);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return failure_ = Failed(errno);
  }
  if (fd < 0) return failure_ = Failed(EEXIST);
  // Held until the descriptor closes; a file system without locks still writes.
  ::flock(fd, LOCK_EX | LOCK_NB);
  // A replaced file keeps its permissions; a new one gets 0666 less the umask.
  if (exists) ::fchmod(fd, existing.st_mode & 07777);
  handle_ = fd;
  path_ = path;
  temporary_ = temporary;
  return Status();
}

Status AtomicFileWriter::Write(const void* data, std::size_t size) {
  if (!failure_.ok()) return failure_;
  if (handle_ < 0) return failure_ = Failed(EBADF);
  const int error = WriteAll(static_cast<int>(handle_), data, size, &streamed_);
  if (error == 0) return Status();
  Abandon();
  return failure_ = Failed(error);
}

Status AtomicFileWriter::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  if (!failure_.ok()) return failure_;
  if (handle_ < 0) return failure_ = Failed(EBADF);
  const int fd = static_cast<int>(handle_);
  int error = stream_ ? ESPIPE : ::lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0 ? errno : 0;
  bool anyWritten = false;
  if (error == 0) error = WriteAll(fd, data, size, &anyWritten);
  if (error == 0) return Status();
  Abandon();
  return failure_ = Failed(error);
}

Status AtomicFileWriter::Truncate(std::uint64_t length) {
  if (!failure_.ok()) return failure_;
  if (handle_ < 0) return failure_ = Failed(EBADF);
  if (!stream_ && ::ftruncate(static_cast<int>(handle_), static_cast<off_t>(length)) == 0) {
    return Status();
  }
  const int error = stream_ ? ESPIPE : errno;
  Abandon();
  return failure_ = Failed(error);
}

Status AtomicFileWriter::Commit() {
  if (!failure_.ok()) return failure_;
  if (handle_ < 0) return failure_ = Failed(EBADF);
  const int fd = static_cast<int>(handle_);
  handle_ = -1;
  if (stream_) return ::close(fd) == 0 ? Status() : failure_ = Failed(errno);
  int error = 0;
  // EINVAL: a file system without sync; the data then is as safe as that system makes it.
  if (::fsync(fd) != 0 && errno != EINVAL) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary_.c_str(), path_.c_str()) != 0) error = errno;
  if (error != 0) {
    Abandon();
    return failure_ = Failed(error);
  }
  temporary_.clear();
  SyncFolderOf(path_);
  return Status();
}

void AtomicFileWriter::Abandon() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}
