#include "system/FloatArray.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Memory is taken in steps of this many bytes: few system calls, little taken beyond the need.
constexpr std::uint64_t kCommitStepBytes = std::uint64_t{4} << 20;

}  // namespace

FloatArray::~FloatArray() { Release(); }

FloatArray::FloatArray(FloatArray&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      mapped_(std::exchange(other.mapped_, nullptr)),
      mappedBytes_(std::exchange(other.mappedBytes_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      committed_(std::exchange(other.committed_, 0)),
      size_(std::exchange(other.size_, 0)) {}

FloatArray& FloatArray::operator=(FloatArray&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    mapped_ = std::exchange(other.mapped_, nullptr);
    mappedBytes_ = std::exchange(other.mappedBytes_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    committed_ = std::exchange(other.committed_, 0);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void FloatArray::Release() {
  if (mapped_ != nullptr) {
    UnmapFileBytes(mapped_, mappedBytes_);
  } else if (data_ != nullptr) {
    ReleaseBytes(data_, capacity_ * sizeof(float));
  }
  data_ = nullptr;
  mapped_ = nullptr;
  mappedBytes_ = 0;
  capacity_ = committed_ = size_ = 0;
}

bool FloatArray::Reserve(std::uint64_t capacity, bool largePages) {
  Release();
  capacity = std::min<std::uint64_t>(std::max<std::uint64_t>(capacity, 1),
                                     std::numeric_limits<std::size_t>::max() / sizeof(float));
  // A system that limits a process's address space may grant less: halve until it does.
  for (;;) {
    void* const start = ReserveBytes(capacity * sizeof(float), largePages);
    if (start != nullptr) {
      data_ = static_cast<float*>(start);
      capacity_ = capacity;
      return true;
    }
    if (capacity <= kMinimumCapacity) return false;
    capacity = std::max(capacity / 2, kMinimumCapacity);
  }
}

void FloatArray::Prefault(std::uint64_t first, std::uint64_t count) {
  // A file's pages are taken as they are read: written, each would be a copy.
  if (count > 0 && mapped_ == nullptr) PrefaultBytes(data_ + first, count * sizeof(float));
}

bool FloatArray::MapFile(const ReadOnlyFile& file, std::uint64_t offset, std::uint64_t count) {
  Release();
  if (count == 0 || offset % sizeof(float) != 0 ||
      count > std::numeric_limits<std::size_t>::max() / sizeof(float)) {
    return false;
  }
  const std::uint64_t start = offset / MappingGranularity() * MappingGranularity();
  const std::uint64_t bytes = offset - start + count * sizeof(float);
  void* const mapped = MapFileBytes(file, start, bytes);
  if (mapped == nullptr) return false;
  mapped_ = mapped;
  mappedBytes_ = bytes;
  data_ = reinterpret_cast<float*>(static_cast<char*>(mapped) + (offset - start));
  capacity_ = committed_ = size_ = count;
  return true;
}

bool FloatArray::Resize(std::uint64_t count) {
  if (count > capacity_) return false;
  if (count > committed_) {
    const std::uint64_t step = kCommitStepBytes / sizeof(float);
    const std::uint64_t wanted = std::min(capacity_, (count + step - 1) / step * step);
    if (!CommitBytes(data_ + committed_, (wanted - committed_) * sizeof(float))) return false;
    committed_ = wanted;
  }
  size_ = count;
  return true;
}
