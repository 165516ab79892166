// Reads this program's linked resources back for the resource tests.
#ifndef MORVTXTMVG_TESTS_RESOURCES_RESOURCEBYTES_WIN32_H
#define MORVTXTMVG_TESTS_RESOURCES_RESOURCEBYTES_WIN32_H

#include <windows.h>

#include <cstdint>
#include <vector>

namespace resource_test {

// The raw bytes of resource `id` of `type` in this executable (empty when missing).
inline std::vector<unsigned char> ResourceBytes(int id, LPCSTR type) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  const auto* data =
      found ? static_cast<const unsigned char*>(LockResource(LoadResource(module, found)))
            : nullptr;
  if (data == nullptr) return {};
  return std::vector<unsigned char>(data, data + SizeofResource(module, found));
}

// FNV-1a: a golden checksum pins every byte of a resource without copying it here.
inline uint64_t Checksum(const std::vector<unsigned char>& bytes) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (unsigned char b : bytes) hash = (hash ^ b) * 0x100000001b3u;
  return hash;
}

}  // namespace resource_test

#endif  // MORVTXTMVG_TESTS_RESOURCES_RESOURCEBYTES_WIN32_H
