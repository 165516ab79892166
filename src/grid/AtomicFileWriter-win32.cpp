// Windows: CreateFileA(CREATE_NEW) a temporary, WriteFile, FlushFileBuffers, close, and
// MoveFileExA over the target.
#include <windows.h>

#include <cerrno>

#include "grid/AtomicFileWriter.h"
#include "grid/SystemErrorText.h"

namespace {

constexpr int kAttempts = 100;
constexpr DWORD kLargestWrite = 1u << 30;  // WriteFile counts in 32 bits

Status Failed(DWORD error) { return Status::Error(WindowsErrorText(error)); }

// Returns ERROR_SUCCESS or the failure; a write that stores nothing counts as a full disk.
DWORD WriteAll(HANDLE file, const void* data, std::size_t size) {
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD piece = size < kLargestWrite ? static_cast<DWORD>(size) : kLargestWrite;
    DWORD written = 0;
    if (!WriteFile(file, next, piece, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_DISK_FULL;
    next += written;
    size -= written;
  }
  return ERROR_SUCCESS;
}

}  // namespace

Status WriteFileAtomically(const std::string& path, const std::vector<FileBlock>& blocks) {
  if (path.empty()) return Failed(ERROR_PATH_NOT_FOUND);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return Status::Error(ErrnoText(EISDIR));
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return Failed(ERROR_ACCESS_DENIED);
  }

  std::string temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < kAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = TemporaryFileName(path, GetCurrentProcessId(), attempt);
    file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return Failed(error);
    }
  }
  if (file == INVALID_HANDLE_VALUE) return Failed(ERROR_FILE_EXISTS);

  DWORD error = ERROR_SUCCESS;
  for (const FileBlock& block : blocks) {
    error = WriteAll(file, block.data, block.size);
    if (error != ERROR_SUCCESS) break;
  }
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file)) error = GetLastError();
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS && !MoveFileExA(temporary.c_str(), path.c_str(),
                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    DeleteFileA(temporary.c_str());
    return Failed(error);
  }
  return Status();
}
