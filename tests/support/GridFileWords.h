#pragma once
// A grid file's data block, read independently of the grid file reader: the float32 bit patterns
// after the header, in file order.

#include <cstdint>
#include <string>
#include <vector>

#include "gridfile/GridFileHeader.h"

inline std::vector<std::uint32_t> DataWords(const std::string& file) {
  std::vector<std::uint32_t> words;
  for (std::size_t at = kGridFileHeaderSize; at + 4 <= file.size(); at += 4) {
    words.push_back(LoadLittleEndian32(reinterpret_cast<const std::uint8_t*>(&file[at])));
  }
  return words;
}

inline std::vector<std::uint32_t> BitsOf(const std::vector<float>& values) {
  std::vector<std::uint32_t> bits;
  for (float value : values) bits.push_back(FloatBits(value));
  return bits;
}
