#pragma once
// Reads a grid file back: one opening that checks the header and the length it implies, for every
// reader of grid files; and each property's range.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/Status.h"
#include "gridfile/GridFileHeader.h"
#include "system/FileMapping.h"
#include "system/ReadOnlyFile.h"

// Bytes of the data block the header describes: 4 * nx * nz * codes, 0 when nx or nz <= 0.
// Only for headers that ParseGridFileHeader accepted (the product then fits 64 bits).
std::uint64_t GridFileDataSize(const GridFileHeader& header);

struct ParsedGridFileHeader {
  GridFileHeader header;
  Status status;
  bool ok() const { return status.ok(); }
};

// Header checks only. Reads nothing outside bytes[0, size). The message is a clause without the
// file's name, one of:
//   "it holds N bytes, less than the 296-byte header of a grid file"
//   "it does not start with \"Binary. FD-Grid_____\""
//   "its property codes at byte 252 are not followed by a NUL byte"
//   "its property codes \"PX\" are not one of P, Q, R, PQ, PR, QR, PQR"   (odd bytes as \xNN)
//   "its property count 3 does not match its property codes \"PQ\""
//   "its sizes nx=A, nz=B describe a data block too large for any file"   (beyond 64 bits)
// Sizes of 0 or less are accepted: the data block is then empty.
ParsedGridFileHeader ParseGridFileHeader(const std::uint8_t* bytes, std::size_t size);

// A grid file opened for reading, its header read and checked once and its length matched
// against the header: every reader of grid files starts here.
class GridFileInput {
 public:
  // The file is opened as the text grid reader opens one: anything but a regular file (a pipe, a
  // device) is refused at once with "Not a regular file" as the reason. The message is one
  // sentence naming the file as given:
  //   "Cannot open the grid file F: <system reason>."
  //   "Cannot read the grid file F: <system reason>."
  //   "F is not a grid file: <clause of ParseGridFileHeader>."
  //   "F does not match its header: 3 x 2 nodes of 1 property make a file of 320 bytes, but it
  //    holds 316 bytes."
  Status Open(const std::string& path);

  // Whether the file starts with a grid file's signature, whatever else Open found in it.
  bool StartsAsGridFile() const { return startsAsGridFile_; }
  const GridFileHeader& Header() const { return header_; }

  // Reads `size` bytes of the data block from `offset` (bytes after the header). A file that ends
  // before them no longer matches its header, and is refused as above.
  Status ReadData(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) const;

  // Maps the whole file, header and data block, into `mapping`. Refused with "Cannot map the grid
  // file F: <system reason>."
  Status Map(FileMapping& mapping) const;

 private:
  std::string path_;
  ReadOnlyFile file_;
  GridFileHeader header_;
  bool startsAsGridFile_ = false;
};

// Values of a kind no property's value is, counted, with the node of the first (numbered from 0,
// row after row).
struct OddValues {
  std::uint64_t count = 0, firstNode = 0;
};

struct PropertyRange {
  char code = 0;
  float minimum = 0, maximum = 0;
  float leastAboveZero = 0;  // +inf when no value is above 0
  // Finite values of 1.70141e38 and more (Surfer's blank), infinities and NaN.
  OddValues blanks, infinities, notANumbers;
};

struct GridFileInfo {
  GridFileHeader header;
  // One per property code, in code order; empty when the data block is (nx or nz <= 0).
  // NaN values are passed over, so a property of NaN alone has minimum +inf and maximum -inf.
  std::vector<PropertyRange> ranges;
  Status status;
  bool ok() const { return status.ok(); }
};

// The ranges of `nodeCount` nodes of a data block (little-endian float32 values, node by node in
// the order of `codes`), one per code, as ReadGridFile finds them.
std::vector<PropertyRange> RangesOfNodes(const std::uint8_t* nodes, std::size_t nodeCount,
                                         const std::string& codes);

// The header and each property's range, the data read in chunks of about 1 MiB. Messages as
// GridFileInput's, and "Not enough memory to read the grid file F."
GridFileInfo ReadGridFile(const std::string& path);
