#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "system/Folders.h"

std::string ProcessFolders::Current() const {
  std::string buffer(256, '\0');
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) {
      buffer.resize(buffer.find('\0'));
      return buffer;
    }
    if (errno != ERANGE) return {};
    buffer.assign(buffer.size() * 2, '\0');
  }
}

bool ProcessFolders::ChangeCurrent(const std::string& path) { return chdir(path.c_str()) == 0; }

bool ProcessFolders::Exists(const std::string& path) const {
  return access(path.c_str(), F_OK) == 0;
}

bool ProcessFolders::Make(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }
