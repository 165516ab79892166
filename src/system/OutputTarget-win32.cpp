#include <windows.h>

#include "system/OutputTarget.h"

namespace {

// The final path's form without the prefix that lifts the length limit: "C:\data\m.mvg",
// "\\server\share\m.mvg".
std::string WithoutLongPathPrefix(const std::string& path) {
  if (path.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\\\" + path.substr(8);
  if (path.compare(0, 4, "\\\\?\\") == 0) return path.substr(4);
  return path;
}

}  // namespace

OutputTarget FindOutputTarget(const std::string& path) {
  OutputTarget target;
  target.path = path;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return target;
  }
  // Opened without FILE_FLAG_OPEN_REPARSE_POINT, the handle is the file the links lead to.
  const HANDLE file =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return target;
  char final[MAX_PATH * 4];
  const DWORD size = GetFinalPathNameByHandleA(file, final, sizeof final, FILE_NAME_NORMALIZED);
  CloseHandle(file);
  if (size > 0 && size < sizeof final)
    target.path = WithoutLongPathPrefix(std::string(final, size));
  return target;
}
