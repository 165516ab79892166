#include <sys/statvfs.h>

#include "system/FreeSpace.h"
#include "system/OutputTarget.h"

bool FreeBytesWhere(const std::string& path, std::uint64_t* bytes) {
  const std::string file = FindOutputTarget(path).path;
  const std::size_t slash = file.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : file.substr(0, slash + 1);
  struct statvfs room {};
  if (::statvfs(folder.c_str(), &room) != 0) return false;
  // f_bavail: the blocks left to users other than the super-user, in units of f_frsize.
  *bytes = static_cast<std::uint64_t>(room.f_bavail) * room.f_frsize;
  return true;
}
