#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
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

void FileMapping::Release(std::uint64_t offset, std::uint64_t size) const {
  const std::uint64_t page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
  const std::uint64_t from = offset / page * page;
  const std::uint64_t to = std::min(offset + size, size_) / page * page;
  if (from >= to) return;
  madvise(const_cast<std::uint8_t*>(data_) + from, static_cast<std::size_t>(to - from),
          MADV_DONTNEED);
}
