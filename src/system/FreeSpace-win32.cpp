#include <windows.h>

#include "system/FreeSpace.h"
#include "system/OutputTarget.h"

bool FreeBytesWhere(const std::string& path, std::uint64_t* bytes) {
  const std::string file = FindOutputTarget(path).path;
  const std::size_t separator = file.find_last_of("/\\:");
  const std::string folder = separator == std::string::npos ? "." : file.substr(0, separator + 1);
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr)) return false;
  *bytes = available.QuadPart;
  return true;
}
