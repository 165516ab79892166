#include <sys/mman.h>

#include "grid/FloatArray.h"

// Address space without memory behind it (PROT_NONE is not counted against the system's commit
// limit, whatever its overcommit policy); made writable as the array grows, and the pages are
// then taken as they are first written.
void* FloatArray::ReserveBytes(std::uint64_t bytes) {
  void* const start =
      mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (start != MAP_FAILED) madvise(start, bytes, MADV_HUGEPAGE);
  return start == MAP_FAILED ? nullptr : start;
}

bool FloatArray::CommitBytes(void* start, std::uint64_t bytes) {
  return mprotect(start, bytes, PROT_READ | PROT_WRITE) == 0;
}

void FloatArray::ReleaseBytes(void* start, std::uint64_t bytes) { munmap(start, bytes); }
