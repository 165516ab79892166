#pragma once
// Reads a grid file back: header checks, the length its header implies, and each property's range.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/GridFileHeader.h"
#include "grid/Status.h"

struct PropertyRange {
  char code = 0;
  float minimum = 0, maximum = 0;
};

struct GridFileInfo {
  GridFileHeader header;
  // One per property code, in code order; empty when the data block is (nx or nz <= 0).
  // NaN values are passed over, so a property of NaN alone has minimum +inf and maximum -inf.
  std::vector<PropertyRange> ranges;
  Status status;
  bool ok() const { return status.ok(); }
};

// Header checks only. Reads nothing outside bytes[0, size). The message is a clause without the
// file's name, one of:
//   "it holds N bytes, less than the 296-byte header of a grid file"
//   "it does not start with \"Binary. FD-Grid_____\""
//   "its property codes at byte 252 are not followed by a NUL byte"
//   "its property codes \"PX\" are not one of P, Q, R, PQ, PR, QR, PQR" (odd bytes as \xNN)
//   "its property count 3 does not match its property codes \"PQ\""
//   "its sizes nx=A, nz=B describe a data block too large for any file" (beyond 64 bits)
// Sizes of 0 or less are accepted: the data block is then empty.
GridFileInfo ParseGridFileHeader(const std::uint8_t* bytes, std::size_t size);

// Header + length check (296 + 4*nx*nz*count) + ranges, the data read in chunks of about 1 MiB.
// The file is opened as the text grid reader opens one: anything but a regular file (a pipe, a
// device) is refused at once with "Not a regular file" as the reason.
// The message is one sentence naming the file as given:
//   "Cannot open the grid file F: <system reason>."
//   "Cannot read the grid file F: <system reason>."
//   "F is not a grid file: <clause of ParseGridFileHeader>."
//   "F does not match its header: 3 x 2 nodes of 1 property make a file of 320 bytes, but it
//    holds 316 bytes."
//   "Not enough memory to read the grid file F."
GridFileInfo ReadGridFile(const std::string& path);

// The same on a whole file held in memory (tests, fuzzing); fileName only names it in messages.
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
