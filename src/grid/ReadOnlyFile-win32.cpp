#include <windows.h>

#include "grid/ReadOnlyFile.h"
#include "grid/SystemErrorText.h"

namespace {

std::string SystemReason(DWORD error) { return WindowsErrorText(error); }

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
  if (handle_ != -1) CloseHandle(AsHandle(handle_));
}

bool ReadOnlyFile::Open(const std::string& path, std::string* reason) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *reason = SystemReason(GetLastError());
    return false;
  }
  if (GetFileType(file) != FILE_TYPE_DISK) {
    // A text grid is read twice and at any offset: only a file on a disk will do.
    *reason = "Not a regular file";
    CloseHandle(file);
    return false;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) {
    *reason = SystemReason(GetLastError());
    CloseHandle(file);
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  size_ = size.QuadPart > 0 ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  return true;
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
                          std::string* reason) const {
  *got = 0;
  while (*got < size) {
    const std::uint64_t at = offset + *got;
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(at);
    where.OffsetHigh = static_cast<DWORD>(at >> 32);
    const std::size_t left = size - *got;
    const DWORD wanted = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD n = 0;
    if (!ReadFile(AsHandle(handle_), buffer + *got, wanted, &n, &where)) {
      const DWORD error = GetLastError();
      if (error == ERROR_HANDLE_EOF) break;
      *reason = SystemReason(error);
      return false;
    }
    if (n == 0) break;
    *got += n;
  }
  return true;
}
