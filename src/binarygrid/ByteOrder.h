#pragma once
// Whole numbers stored in either byte order, read from their bytes wherever they lie.

#include <cstdint>

inline std::uint16_t LoadU16(const char* bytes, bool bigEndian) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes);
  return static_cast<std::uint16_t>(bigEndian ? b[0] << 8 | b[1] : b[1] << 8 | b[0]);
}

inline std::uint32_t LoadU32(const char* bytes, bool bigEndian) {
  const std::uint32_t high = LoadU16(bytes + (bigEndian ? 0 : 2), bigEndian);
  const std::uint32_t low = LoadU16(bytes + (bigEndian ? 2 : 0), bigEndian);
  return high << 16 | low;
}

inline std::uint64_t LoadU64(const char* bytes, bool bigEndian) {
  const std::uint64_t high = LoadU32(bytes + (bigEndian ? 0 : 4), bigEndian);
  const std::uint64_t low = LoadU32(bytes + (bigEndian ? 4 : 0), bigEndian);
  return high << 32 | low;
}

inline std::int16_t LoadI16(const char* bytes, bool bigEndian) {
  return static_cast<std::int16_t>(LoadU16(bytes, bigEndian));
}

inline std::int32_t LoadI32(const char* bytes, bool bigEndian) {
  return static_cast<std::int32_t>(LoadU32(bytes, bigEndian));
}

// Whether this machine stores numbers with their least significant byte first.
inline bool HostIsLittleEndian() {
  const std::uint16_t one = 1;
  return *reinterpret_cast<const unsigned char*>(&one) == 1;
}
