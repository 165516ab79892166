#include <windows.h>

#include "system/FloatArray.h"
#include "system/ReadOnlyFile.h"

// Reserved address space takes no memory; committed pages count against the commit limit but are
// taken (and zeroed) only as they are first written.
void* FloatArray::ReserveBytes(std::uint64_t bytes, bool /*largePages*/) {
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

void* FloatArray::MapFileBytes(const ReadOnlyFile& file, std::uint64_t offset,
                               std::uint64_t bytes) {
  const HANDLE mapping = CreateFileMappingW(reinterpret_cast<HANDLE>(file.NativeHandle()), nullptr,
                                            PAGE_WRITECOPY, 0, 0, nullptr);
  if (mapping == nullptr) return nullptr;
  // The view keeps the mapping object for as long as it lasts.
  void* const view = MapViewOfFile(mapping, FILE_MAP_COPY, static_cast<DWORD>(offset >> 32),
                                   static_cast<DWORD>(offset), static_cast<SIZE_T>(bytes));
  CloseHandle(mapping);
  return view;
}

void FloatArray::UnmapFileBytes(void* start, std::uint64_t /*bytes*/) { UnmapViewOfFile(start); }

std::uint64_t FloatArray::MappingGranularity() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  return system.dwAllocationGranularity;
}
