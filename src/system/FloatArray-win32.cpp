#include <windows.h>

#include "system/FloatArray.h"

// Reserved address space takes no memory; committed pages count against the commit limit but are
// taken (and zeroed) only as they are first written.
void* FloatArray::ReserveBytes(std::uint64_t bytes) {
  return VirtualAlloc(nullptr, static_cast<SIZE_T>(bytes), MEM_RESERVE, PAGE_NOACCESS);
}

bool FloatArray::CommitBytes(void* start, std::uint64_t bytes) {
  return VirtualAlloc(start, static_cast<SIZE_T>(bytes), MEM_COMMIT, PAGE_READWRITE) != nullptr;
}

void FloatArray::ReleaseBytes(void* start, std::uint64_t /*bytes*/) {
  VirtualFree(start, 0, MEM_RELEASE);
}

// Committed pages are taken as they are first written.
void FloatArray::PrefaultBytes(void* /*start*/, std::uint64_t /*bytes*/) {}
