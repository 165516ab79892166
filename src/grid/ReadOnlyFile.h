#pragma once
// A file opened for reading at any offset, from several threads at once (the only platform
// calls of text grid reading).

#include <cstddef>
#include <cstdint>
#include <string>

class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // False with the system's reason ("No such file or directory") when it cannot be opened.
  bool Open(const std::string& path, std::string* reason);
  std::uint64_t Size() const { return size_; }
  // Reads up to `size` bytes at `offset`; fewer only at the end of the file. False with the
  // system's reason on a read error.
  bool ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
              std::string* reason) const;

 private:
  std::intptr_t handle_ = -1;
  std::uint64_t size_ = 0;
};
