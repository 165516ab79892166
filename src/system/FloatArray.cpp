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
      capacity_(std::exchange(other.capacity_, 0)),
      committed_(std::exchange(other.committed_, 0)),
      size_(std::exchange(other.size_, 0)) {}

FloatArray& FloatArray::operator=(FloatArray&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
    committed_ = std::exchange(other.committed_, 0);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void FloatArray::Release() {
  if (data_ != nullptr) ReleaseBytes(data_, capacity_ * sizeof(float));
  data_ = nullptr;
  capacity_ = committed_ = size_ = 0;
}

bool FloatArray::Reserve(std::uint64_t capacity) {
  Release();
  capacity = std::min<std::uint64_t>(std::max<std::uint64_t>(capacity, 1),
                                     std::numeric_limits<std::size_t>::max() / sizeof(float));
  // A system that limits a process's address space may grant less: halve until it does.
  for (;;) {
    void* const start = ReserveBytes(capacity * sizeof(float));
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
  if (count > 0) PrefaultBytes(data_ + first, count * sizeof(float));
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
