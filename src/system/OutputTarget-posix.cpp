#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "system/OutputTarget.h"

namespace {

// Links followed at most, as the system follows them (Linux's limit).
constexpr int kMostLinks = 40;

// What a link's text names, read from the link's own folder when it is relative.
std::string LinkTarget(const std::string& link, const std::string& text) {
  if (!text.empty() && text[0] == '/') return text;
  const std::size_t slash = link.find_last_of('/');
  return slash == std::string::npos ? text : link.substr(0, slash + 1) + text;
}

// Whether a character device is a terminal: only opening it tells.
bool IsTerminal(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const bool terminal = ::isatty(fd) != 0;
  ::close(fd);
  return terminal;
}

bool IsStandardOutput(const struct stat& info) {
  struct stat standardOutput {};
  return ::fstat(STDOUT_FILENO, &standardOutput) == 0 && standardOutput.st_dev == info.st_dev &&
         standardOutput.st_ino == info.st_ino;
}

}  // namespace

OutputTarget FindOutputTarget(const std::string& path) {
  OutputTarget target;
  target.path = path;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (S_ISREG(info.st_mode)) {
      // The file the links lead to (/proc/self/fd entries among them), by its own name.
      if (char* const real = ::realpath(path.c_str(), nullptr)) {
        target.path = real;
        std::free(real);
      }
    } else if (!S_ISDIR(info.st_mode)) {
      target.stream = true;
      target.terminal = S_ISCHR(info.st_mode) && IsTerminal(path);
      target.standardOutput = IsStandardOutput(info);
    }
    return target;
  }
  // A new name, or a link to one: the name at the end of the links.
  for (int links = 0; links < kMostLinks; ++links) {
    char text[PATH_MAX];
    const ssize_t size = ::readlink(target.path.c_str(), text, sizeof text);
    if (size <= 0 || static_cast<std::size_t>(size) >= sizeof text) break;
    target.path = LinkTarget(target.path, std::string(text, static_cast<std::size_t>(size)));
  }
  return target;
}
