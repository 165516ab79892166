#pragma once
// The start of a regular file mapped into memory, read-only: its bytes read in place, without a
// copy, shared with the system's cache of the file. A file cut short while it is mapped faults
// on a read beyond its new end, as any mapping does.

#include <cstddef>
#include <cstdint>
#include <string>

#include "system/ReadOnlyFile.h"

class FileMapping {
 public:
  FileMapping() = default;
  ~FileMapping();
  FileMapping(const FileMapping&) = delete;
  FileMapping& operator=(const FileMapping&) = delete;

  // Maps the first `size` bytes (more than 0, at most the file's size) of an open regular file.
  // False with the system's reason.
  bool Map(const ReadOnlyFile& file, std::uint64_t size, std::string* reason);

  const std::uint8_t* data() const { return data_; }
  std::uint64_t size() const { return size_; }

 private:
  const std::uint8_t* data_ = nullptr;
  std::uint64_t size_ = 0;
};
