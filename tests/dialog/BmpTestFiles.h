// Bitmap files built in memory for the tests of BmpImage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bmp_test {

inline void PutU16(std::vector<unsigned char>& file, size_t at, uint32_t value) {
  file[at] = static_cast<unsigned char>(value);
  file[at + 1] = static_cast<unsigned char>(value >> 8);
}

inline void PutU32(std::vector<unsigned char>& file, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// File offsets of the fields the tests change (the info header starts at 14).
constexpr size_t kBiSize = 14;
constexpr size_t kBiWidth = 18;
constexpr size_t kBiHeight = 22;
constexpr size_t kBiPlanes = 26;
constexpr size_t kBiBitCount = 28;
constexpr size_t kBiCompression = 30;
constexpr size_t kBiClrUsed = 46;

inline size_t RowStride(int width, int bitCount) {
  return (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
}

// A bitmap file with a 40-byte info header and `colours` palette entries (biClrUsed), whose
// pixel bytes are numbered 0, 1, 2, ... row after row in memory. A negative height makes
// it top-down.
inline std::vector<unsigned char> MakeBmp(int width, int height, int bitCount, int colours) {
  const size_t rows = static_cast<size_t>(height < 0 ? -height : height);
  const size_t bitsOffset = 14 + 40 + 4 * static_cast<size_t>(colours);
  const size_t fileSize = bitsOffset + RowStride(width, bitCount) * rows;
  std::vector<unsigned char> file(fileSize, 0);
  file[0] = 'B';
  file[1] = 'M';
  PutU32(file, 2, static_cast<uint32_t>(fileSize));
  PutU32(file, 10, static_cast<uint32_t>(bitsOffset));
  PutU32(file, kBiSize, 40);
  PutU32(file, kBiWidth, static_cast<uint32_t>(width));
  PutU32(file, kBiHeight, static_cast<uint32_t>(height));
  PutU16(file, kBiPlanes, 1);
  PutU16(file, kBiBitCount, static_cast<uint32_t>(bitCount));
  PutU32(file, kBiClrUsed, static_cast<uint32_t>(colours));
  for (int i = 0; i < colours; ++i) {  // a grey ramp
    const unsigned char grey =
        static_cast<unsigned char>(i * 255 / (colours > 1 ? colours - 1 : 1));
    for (int c = 0; c < 3; ++c) file[14 + 40 + 4 * i + c] = grey;
  }
  for (size_t i = bitsOffset; i < fileSize; ++i) {
    file[i] = static_cast<unsigned char>(i - bitsOffset);
  }
  return file;
}

inline std::vector<unsigned char> MakeBmp24(int width, int height) {
  return MakeBmp(width, height, 24, 0);
}

inline std::vector<unsigned char> MakeBmp8(int width, int height) {
  return MakeBmp(width, height, 8, 256);
}

}  // namespace bmp_test
