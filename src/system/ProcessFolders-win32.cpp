#include <direct.h>
#include <io.h>

#include <cstdlib>

#include "system/Folders.h"

std::string ProcessFolders::Current() const {
  // With no buffer the runtime allocates one of the length needed.
  char* text = _getcwd(nullptr, 0);
  if (text == nullptr) return {};
  std::string result(text);
  std::free(text);
  return result;
}

bool ProcessFolders::ChangeCurrent(const std::string& path) { return _chdir(path.c_str()) == 0; }

bool ProcessFolders::Exists(const std::string& path) const { return _access(path.c_str(), 0) == 0; }

bool ProcessFolders::Make(const std::string& path) { return _mkdir(path.c_str()) == 0; }
