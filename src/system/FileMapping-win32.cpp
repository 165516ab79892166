#include <windows.h>

#include "system/FileMapping.h"
#include "system/SystemErrorText.h"

FileMapping::~FileMapping() {
  if (data_ != nullptr) UnmapViewOfFile(data_);
}

bool FileMapping::Map(const ReadOnlyFile& file, std::uint64_t size, std::string* reason) {
  if (size == 0 || size > file.Size() || static_cast<std::size_t>(size) != size) {
    *reason = WindowsErrorText(ERROR_INVALID_PARAMETER);
    return false;
  }
  const HANDLE mapping = CreateFileMappingW(reinterpret_cast<HANDLE>(file.NativeHandle()), nullptr,
                                            PAGE_READONLY, 0, 0, nullptr);
  if (mapping == nullptr) {
    *reason = WindowsErrorText(GetLastError());
    return false;
  }
  // The view keeps the mapping object for as long as it lasts.
  void* data = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(size));
  const DWORD error = GetLastError();
  CloseHandle(mapping);
  if (data == nullptr) {
    *reason = WindowsErrorText(error);
    return false;
  }
  data_ = static_cast<const std::uint8_t*>(data);
  size_ = size;
  return true;
}
