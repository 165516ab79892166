#pragma once
// Reads a grid file back: header checks, the length its header implies, and each property's range.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/GridFileHeader.h"

struct PropertyRange {
  char code = 0;
  float minimum = 0, maximum = 0;
};

struct GridFileInfo {
  GridFileHeader header;
  // One per property code, in code order; empty when the data block is (nx or nz <= 0).
  // NaN values are passed over, so a property of NaN alone has minimum +inf and maximum -inf.
  std::vector<PropertyRange> ranges;
  std::string problem;  // empty when ok
  bool ok() const { return problem.empty(); }
};

// Header checks only: size, signature, property codes (P, Q, R, PQ, PR, QR or PQR, a NUL after
// them, their number equal to the property count), and sizes whose data block could exist.
// Reads nothing outside bytes[0, size). The problem is a clause without the file's name, e.g.
// "it does not start with \"Binary. FD-Grid_____\"".
GridFileInfo ParseGridFileHeader(const std::uint8_t* bytes, std::size_t size);

// Header + length check (296 + 4*nx*nz*count) + ranges. The problem is one sentence naming the
// file as given, e.g. "model.mvg is not a grid file: it does not start with ...".
GridFileInfo ReadGridFile(const std::string& path);

// The same on a whole file held in memory (tests, fuzzing); fileName only names it in problems.
GridFileInfo ReadGridFileFromBytes(const std::uint8_t* bytes, std::size_t size,
                                   const std::string& fileName);

// Bytes of the data block the header describes: 4 * nx * nz * codes, 0 when nx or nz <= 0.
// Only for headers that ParseGridFileHeader accepted (the product then fits 64 bits).
std::uint64_t GridFileDataSize(const GridFileHeader& header);

// Ranges with nothing seen yet (minimum +inf, maximum -inf), one per code.
std::vector<PropertyRange> EmptyPropertyRanges(const std::string& codes);

// Widens ranges by nodeCount nodes, each ranges.size() little-endian float32 values in code order.
void WidenPropertyRanges(const std::uint8_t* nodes, std::size_t nodeCount,
                         std::vector<PropertyRange>& ranges);
