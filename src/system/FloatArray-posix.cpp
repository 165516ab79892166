#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "system/FloatArray.h"
#include "system/ReadOnlyFile.h"

namespace {

// Large pages take one fault for 2 MiB where small ones take 512; they need 2-MiB-aligned room.
// The system gives them unasked where it is so set, else when asked (MADV_HUGEPAGE). Asked, right
// after another program gave memory back, it may stop to compact memory for them: worth it for an
// array filled at memory speed (a binary grid's takes its memory in half the time), not for one
// filled over a long reading (a text grid's).
constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;

}  // namespace

// Address space without memory behind it (PROT_NONE is not counted against the system's commit
// limit, whatever its overcommit policy), on a large page's boundary; made writable as the array
// grows, and the pages are then taken as they are first written.
void* FloatArray::ReserveBytes(std::uint64_t bytes, bool largePages) {
  const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const std::uintptr_t length = (static_cast<std::uintptr_t>(bytes) + page - 1) & ~(page - 1);
  void* const mapped = mmap(nullptr, length + kLargePage, PROT_NONE,
                            MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  const std::uintptr_t base = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t start = (base + kLargePage - 1) & ~(kLargePage - 1);
  if (start > base) munmap(mapped, start - base);
  munmap(reinterpret_cast<void*>(start + length), base + kLargePage - start);
#if defined(MADV_HUGEPAGE)
  if (largePages) madvise(reinterpret_cast<void*>(start), length, MADV_HUGEPAGE);
#else
  (void)largePages;
#endif
  return reinterpret_cast<void*>(start);
}

bool FloatArray::CommitBytes(void* start, std::uint64_t bytes) {
  return mprotect(start, bytes, PROT_READ | PROT_WRITE) == 0;
}

void FloatArray::ReleaseBytes(void* start, std::uint64_t bytes) { munmap(start, bytes); }

// All the pages at once (Linux 5.14 on); elsewhere the writes take them as usual.
void FloatArray::PrefaultBytes(void* start, std::uint64_t bytes) {
#if defined(MADV_POPULATE_WRITE)
  const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const std::uintptr_t from = reinterpret_cast<std::uintptr_t>(start) & ~(page - 1);
  const std::uintptr_t to = reinterpret_cast<std::uintptr_t>(start) + bytes;
  madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
#else
  (void)start;
  (void)bytes;
#endif
}

void* FloatArray::MapFileBytes(const ReadOnlyFile& file, std::uint64_t offset,
                               std::uint64_t bytes) {
  void* const mapped =
      mmap(nullptr, static_cast<std::size_t>(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE,
           static_cast<int>(file.NativeHandle()), static_cast<off_t>(offset));
  return mapped == MAP_FAILED ? nullptr : mapped;
}

void FloatArray::UnmapFileBytes(void* start, std::uint64_t bytes) {
  munmap(start, static_cast<std::size_t>(bytes));
}

std::uint64_t FloatArray::MappingGranularity() {
  return static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}
