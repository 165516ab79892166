// Windows: CreateFileA(CREATE_NEW) a temporary that no one else may open or delete, WriteFile,
// FlushFileBuffers, close, and MoveFileExA over the file the path's links lead to.
#include <windows.h>

#include <cerrno>

#include "grid/AsciiCase.h"
#include "system/AtomicFileWriter.h"
#include "system/OutputTarget.h"
#include "system/SystemErrorText.h"

namespace {

constexpr int kAttempts = 100;
constexpr DWORD kLargestWrite = 1u << 30;  // WriteFile counts in 32 bits

Status Failed(DWORD error) { return Status::Error(WindowsErrorText(error)); }

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

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

// The path up to its file name: "C:\data\", "C:", "" for a name alone.
std::string FolderPrefixOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\:");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

// The device a file name stands for whatever its extension ("nul.png" is NUL), as Windows reads
// it; "" for the name of a file.
std::string DeviceNamed(const std::string& path) {
  const std::string name = path.substr(FolderPrefixOf(path).size());
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  base = AsciiUpper(base);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (base == device) return base;
  }
  const bool port = base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0;
  // COM1 to COM9, and COM followed by a superscript 1, 2 or 3 in UTF-8.
  const bool digit = base.size() == 4 && base[3] >= '0' && base[3] <= '9';
  const bool superscript = base.size() == 5 && base[3] == '\xC2' &&
                           (base[4] == '\xB9' || base[4] == '\xB2' || base[4] == '\xB3');
  return port && (digit || superscript) ? base : std::string();
}

bool ProcessIsGone(std::uint64_t processId) {
  if (processId > MAXDWORD) return false;
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
  if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
  const bool gone = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return gone;
}

// Temporaries of earlier writes to path whose process is gone, killed before it could remove its
// own. One still being written cannot be deleted: its writer holds it open without sharing.
void RemoveStaleTemporaries(const std::string& path) {
  const std::string folder = FolderPrefixOf(path);
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::uint64_t processId = 0;
    if (IsTemporaryFileOf(path, found.cFileName, &processId) && ProcessIsGone(processId)) {
      DeleteFileA((folder + found.cFileName).c_str());
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

Status AtomicFileWriter::Begin(const std::string& given) {
  Abandon();
  failure_ = Status();
  if (given.empty()) return failure_ = Failed(ERROR_PATH_NOT_FOUND);
  const std::string path = FindOutputTarget(given).path;
  const std::string device = DeviceNamed(path);
  if (!device.empty()) {
    return failure_ = Status::Error(path.substr(FolderPrefixOf(path).size()) +
                                    " names the Windows device " + device + ", not a file");
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return failure_ = Status::Error(ErrnoText(EISDIR));
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return failure_ = Failed(ERROR_ACCESS_DENIED);
  }
  RemoveStaleTemporaries(path);

  std::string temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < kAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = TemporaryFileName(path, GetCurrentProcessId(), attempt);
    file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
        return failure_ = Failed(error);
    }
  }
  if (file == INVALID_HANDLE_VALUE) return failure_ = Failed(ERROR_FILE_EXISTS);
  handle_ = reinterpret_cast<std::intptr_t>(file);
  path_ = path;
  temporary_ = temporary;
  return Status();
}

Status AtomicFileWriter::Write(const void* data, std::size_t size) {
  if (!failure_.ok()) return failure_;
  if (handle_ == -1) return failure_ = Failed(ERROR_INVALID_HANDLE);
  const DWORD error = WriteAll(AsHandle(handle_), data, size);
  if (error == ERROR_SUCCESS) return Status();
  Abandon();
  return failure_ = Failed(error);
}

Status AtomicFileWriter::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  if (!failure_.ok()) return failure_;
  if (handle_ == -1) return failure_ = Failed(ERROR_INVALID_HANDLE);
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  DWORD error =
      SetFilePointerEx(AsHandle(handle_), at, nullptr, FILE_BEGIN) ? ERROR_SUCCESS : GetLastError();
  if (error == ERROR_SUCCESS) error = WriteAll(AsHandle(handle_), data, size);
  if (error == ERROR_SUCCESS) return Status();
  Abandon();
  return failure_ = Failed(error);
}

Status AtomicFileWriter::Truncate(std::uint64_t length) {
  if (!failure_.ok()) return failure_;
  if (handle_ == -1) return failure_ = Failed(ERROR_INVALID_HANDLE);
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(length);
  const HANDLE file = AsHandle(handle_);
  if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file)) return Status();
  const DWORD error = GetLastError();
  Abandon();
  return failure_ = Failed(error);
}

Status AtomicFileWriter::Commit() {
  if (!failure_.ok()) return failure_;
  if (handle_ == -1) return failure_ = Failed(ERROR_INVALID_HANDLE);
  const HANDLE file = AsHandle(handle_);
  handle_ = -1;
  DWORD error = ERROR_SUCCESS;
  if (!FlushFileBuffers(file)) error = GetLastError();
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS && !MoveFileExA(temporary_.c_str(), path_.c_str(),
                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    Abandon();
    return failure_ = Failed(error);
  }
  temporary_.clear();
  return Status();
}

void AtomicFileWriter::Abandon() {
  if (handle_ != -1) CloseHandle(AsHandle(handle_));
  handle_ = -1;
  if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
  temporary_.clear();
}
