#include <sys/mman.h>

#include <cstddef>
#include <new>

#include "grid/TextGridArray.h"

std::unique_ptr<float[]> NewTextGridArray(std::uint32_t count) {
  std::unique_ptr<float[]> values(new (std::nothrow) float[count]);
#if defined(MADV_HUGEPAGE)
  // Only beyond the C library's largest threshold for mapping an allocation of its own, so that
  // the advice goes away with the array; only whole large pages inside it. A mere hint: where it
  // fails, nothing changes but the speed.
  constexpr std::size_t kOwnMappingBytes = std::size_t{32} << 20;
  constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
  if (values && std::size_t{count} * sizeof(float) >= kOwnMappingBytes) {
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(values.get());
    const std::uintptr_t begin = (first + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = (first + std::size_t{count} * sizeof(float)) & ~(kLargePage - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  }
#endif
  return values;
}
