#pragma once
// The 296-byte header of a grid file (".mvg") and the byte layout it shares with the reader.
// Every multi-byte field is little-endian whatever the host's byte order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

inline constexpr std::size_t kGridFileHeaderSize = 296;

struct GridFileHeader {
  std::int32_t nx = 0, nz = 0;
  float dx = 1.0f, dz = 1.0f, xExtent = 0.0f, zExtent = 0.0f;
  std::string propertyCodes;  // "P", "Q", "R", "PQ", "PR", "QR" or "PQR"
  // Every byte of the header; the bytes of no field are 0.
  std::array<std::uint8_t, kGridFileHeaderSize> ToBytes() const;
};

// (n - 1) * step as the header holds it: the integer converted exactly, the product rounded once
// to float32. Not finite when the extent is beyond float32.
float GridExtent(std::int32_t n, float step);

// propertyCodes: the codes of the properties written, in the file's order ("PR").
GridFileHeader MakeGridFileHeader(std::int32_t nxWrite, std::int32_t nzWrite, float xStep,
                                  float zStep, const std::string& propertyCodes);

// Where one property's values stand in a grid file, in bytes: the first from the file's start,
// and the steps from a node to the next along X and along Z.
struct PropertyLayout {
  std::uint64_t first = 0;
  std::uint64_t xStride = 0, zStride = 0;
};

// Of the `index`-th property (in the file's order) of a file with this header.
PropertyLayout LayoutOf(const GridFileHeader& header, std::size_t index);

// Offsets of the header's fields, for the writer and the reader alike.
struct GridFileLayout {
  static constexpr char kSignature[] = "Binary. FD-Grid_____";  // 20 characters, no terminator
  static constexpr std::size_t kSignatureSize = 20;
  static constexpr std::size_t kSignatureOffset = 0;
  static constexpr std::size_t kModelNameOffset = 20;
  static constexpr std::size_t kProgramNameOffset = 100;
  static constexpr std::size_t kXExtentOffset = 136;
  static constexpr std::size_t kDxOffset = 140;
  static constexpr std::size_t kZExtentOffset = 152;
  static constexpr std::size_t kDzOffset = 156;
  static constexpr std::size_t kOneFloatOffset = 188;
  static constexpr std::size_t kNxOffset = 196;
  static constexpr std::size_t kNzOffset = 200;
  static constexpr std::size_t kOneIntOffsets[] = {204, 232, 236};
  static constexpr std::size_t kPropertyCountOffset = 244;
  static constexpr std::size_t kTwoByteOffset = 248;
  static constexpr std::size_t kPropertyCodesOffset = 252;
  static constexpr std::size_t kPropertyCodesSize = 8;  // letters, then at least one NUL
  static constexpr std::size_t kAxisNamesOffset = 260;
  static constexpr std::size_t kModlOffset = 268;
  static constexpr std::size_t kVOffset = 276;
};

// Little-endian 32-bit words, assembled byte by byte so the host's order never matters.
inline void StoreLittleEndian32(std::uint32_t word, std::uint8_t* out) {
  out[0] = static_cast<std::uint8_t>(word);
  out[1] = static_cast<std::uint8_t>(word >> 8);
  out[2] = static_cast<std::uint8_t>(word >> 16);
  out[3] = static_cast<std::uint8_t>(word >> 24);
}

inline std::uint32_t LoadLittleEndian32(const std::uint8_t* in) {
  return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
         static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

inline std::uint32_t FloatBits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

inline float FloatFromBits(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
