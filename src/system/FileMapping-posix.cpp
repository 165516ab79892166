#include <sys/mman.h>

#include <cerrno>

#include "system/FileMapping.h"
#include "system/SystemErrorText.h"

FileMapping::~FileMapping() {
  if (data_ != nullptr) munmap(const_cast<std::uint8_t*>(data_), static_cast<std::size_t>(size_));
}

bool FileMapping::Map(const ReadOnlyFile& file, std::uint64_t size, std::string* reason) {
  if (size == 0 || size > file.Size() || static_cast<std::size_t>(size) != size) {
    *reason = ErrnoText(EINVAL);
    return false;
  }
  void* data = mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_SHARED,
                    static_cast<int>(file.NativeHandle()), 0);
  if (data == MAP_FAILED) {
    *reason = ErrnoText(errno);
    return false;
  }
  data_ = static_cast<const std::uint8_t*>(data);
  size_ = size;
  return true;
}
