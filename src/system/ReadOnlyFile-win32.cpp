#include <windows.h>

#include "system/ReadOnlyFile.h"
#include "system/SystemErrorText.h"

namespace {

std::string SystemReason(DWORD error) { return WindowsErrorText(error); }

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
  if (handle_ != -1 && ownsHandle_) CloseHandle(AsHandle(handle_));
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
    // Only standard input is read as a stream; a named pipe or device could wait forever.
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
  regular_ = true;
  size_ = size.QuadPart > 0 ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  return true;
}

bool ReadOnlyFile::OpenStandardInput(std::string* reason) {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (input == INVALID_HANDLE_VALUE || input == nullptr) {
    *reason = SystemReason(input == nullptr ? ERROR_INVALID_HANDLE : GetLastError());
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(input);
  ownsHandle_ = false;
  LARGE_INTEGER size{}, at{};
  const LARGE_INTEGER none{};
  regular_ = GetFileType(input) == FILE_TYPE_DISK && GetFileSizeEx(input, &size) &&
             SetFilePointerEx(input, none, &at, FILE_CURRENT);
  if (regular_) {
    start_ = static_cast<std::uint64_t>(at.QuadPart);
    size_ =
        size.QuadPart > at.QuadPart ? static_cast<std::uint64_t>(size.QuadPart - at.QuadPart) : 0;
  }
  return true;
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
                          std::string* reason) const {
  *got = 0;
  while (*got < size) {
    const std::uint64_t at = start_ + offset + *got;
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

bool ReadOnlyFile::ReadStream(char* buffer, std::size_t size, std::size_t* got,
                              std::string* reason) {
  *got = 0;
  while (*got < size) {
    const std::size_t left = size - *got;
    const DWORD wanted = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD n = 0;
    if (!ReadFile(AsHandle(handle_), buffer + *got, wanted, &n, nullptr)) {
      const DWORD error = GetLastError();
      // The writer of a pipe closed its end: that is the end of the text.
      if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) break;
      *reason = SystemReason(error);
      return false;
    }
    if (n == 0) break;
    *got += n;
  }
  return true;
}
