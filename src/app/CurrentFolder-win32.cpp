#include "app/CurrentFolder.h"

#include <direct.h>
#include <io.h>

#include <cstdlib>

std::string QueryCurrentFolder() {
  // With no buffer the runtime allocates one of the length needed.
  char* text = _getcwd(nullptr, 0);
  if (text == nullptr) return {};
  std::string result(text);
  std::free(text);
  return result;
}

bool ChangeCurrentFolder(const std::string& path) { return _chdir(path.c_str()) == 0; }

bool PathExists(const std::string& path) { return _access(path.c_str(), 0) == 0; }

bool MakeFolder(const std::string& path) { return _mkdir(path.c_str()) == 0; }
