#include "gridfile/GridFileReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "grid/GridProperties.h"
#include "grid/NoDataMarkers.h"

namespace {

using L = GridFileLayout;

std::int32_t LoadInt32(const std::uint8_t* bytes, std::size_t offset) {
  const std::uint32_t word = LoadLittleEndian32(bytes + offset);
  std::int32_t value;
  std::memcpy(&value, &word, sizeof value);
  return value;
}

float LoadFloat(const std::uint8_t* bytes, std::size_t offset) {
  return FloatFromBits(LoadLittleEndian32(bytes + offset));
}

// Codes as they may be shown: anything odd in a damaged header appears as \xNN.
std::string Printable(const std::string& text) {
  std::string shown;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      shown += escaped;
    }
  }
  return shown;
}

// Every choice of properties a grid file may hold, in the file's order: the codes of one
// property, then of two, ... ("P, Q, R, PQ, PR, QR, PQR").
std::vector<std::string> KnownPropertyCodes() {
  const std::string all = AllPropertyCodes();
  std::vector<std::string> known;
  for (std::size_t size = 1; size <= all.size(); ++size) {
    // The choices of `size` codes, in order: a mask over `all` with its ones moved leftmost first.
    std::string mask = std::string(size, '1') + std::string(all.size() - size, '0');
    do {
      std::string codes;
      for (std::size_t i = 0; i < all.size(); ++i) {
        if (mask[i] == '1') codes += all[i];
      }
      known.push_back(codes);
    } while (std::prev_permutation(mask.begin(), mask.end()));
  }
  return known;
}

std::string ListOf(const std::vector<std::string>& items) {
  std::string list;
  for (const std::string& item : items) list += (list.empty() ? "" : ", ") + item;
  return list;
}

ParsedGridFileHeader Refused(std::string message) {
  ParsedGridFileHeader parsed;
  parsed.status = Status::Error(std::move(message));
  return parsed;
}

std::string LengthMismatch(const std::string& path, const GridFileHeader& header,
                           std::uint64_t fileSize) {
  const std::size_t count = header.propertyCodes.size();
  return path + " does not match its header: " + std::to_string(header.nx) + " x " +
         std::to_string(header.nz) + " nodes of " + std::to_string(count) +
         (count == 1 ? " property" : " properties") + " make a file of " +
         std::to_string(kGridFileHeaderSize + GridFileDataSize(header)) + " bytes, but it holds " +
         std::to_string(fileSize) + " bytes.";
}

// Ranges with nothing seen yet (minimum and least above 0 +inf, maximum -inf), one per code.
std::vector<PropertyRange> EmptyPropertyRanges(const std::string& codes) {
  std::vector<PropertyRange> ranges;
  const float infinity = std::numeric_limits<float>::infinity();
  for (char code : codes)
    ranges.push_back(PropertyRange{code, infinity, -infinity, infinity, {}, {}, {}});
  return ranges;
}

void Count(OddValues& odd, std::uint64_t node) {
  if (odd.count++ == 0) odd.firstNode = node;
}

// Widens ranges by nodeCount nodes from node `first`, each ranges.size() little-endian float32
// values in code order.
void WidenPropertyRanges(const std::uint8_t* nodes, std::uint64_t first, std::size_t nodeCount,
                         std::vector<PropertyRange>& ranges) {
  const std::size_t perNode = ranges.size();
  for (std::size_t node = 0; node < nodeCount; ++node) {
    for (std::size_t p = 0; p < perNode; ++p) {
      const float value = FloatFromBits(LoadLittleEndian32(nodes + 4 * (node * perNode + p)));
      // Comparisons are false for NaN, which therefore changes nothing.
      if (value < ranges[p].minimum) ranges[p].minimum = value;
      if (value > ranges[p].maximum) ranges[p].maximum = value;
      if (value > 0 && value < ranges[p].leastAboveZero) ranges[p].leastAboveZero = value;
      if (value != value) Count(ranges[p].notANumbers, first + node);
      if (std::isinf(value)) Count(ranges[p].infinities, first + node);
      if (value >= kSurferBlank && !std::isinf(value)) Count(ranges[p].blanks, first + node);
    }
  }
}

}  // namespace

std::uint64_t GridFileDataSize(const GridFileHeader& header) {
  if (header.nx <= 0 || header.nz <= 0) return 0;
  return static_cast<std::uint64_t>(header.nx) * static_cast<std::uint64_t>(header.nz) *
         header.propertyCodes.size() * 4;
}

ParsedGridFileHeader ParseGridFileHeader(const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr || size < kGridFileHeaderSize) {
    return Refused("it holds " + std::to_string(bytes == nullptr ? 0 : size) +
                   " bytes, less than the 296-byte header of a grid file");
  }
  if (std::memcmp(bytes + L::kSignatureOffset, L::kSignature, L::kSignatureSize) != 0) {
    return Refused(std::string("it does not start with \"") + L::kSignature + "\"");
  }
  const std::uint8_t* codes = bytes + L::kPropertyCodesOffset;
  const void* nul = std::memchr(codes, 0, L::kPropertyCodesSize);
  if (nul == nullptr) {
    return Refused("its property codes at byte 252 are not followed by a NUL byte");
  }
  ParsedGridFileHeader parsed;
  GridFileHeader& header = parsed.header;
  header.propertyCodes.assign(reinterpret_cast<const char*>(codes),
                              static_cast<const std::uint8_t*>(nul) - codes);
  static const std::vector<std::string> known = KnownPropertyCodes();
  if (std::find(known.begin(), known.end(), header.propertyCodes) == known.end()) {
    return Refused("its property codes \"" + Printable(header.propertyCodes) +
                   "\" are not one of " + ListOf(known));
  }
  const std::int32_t count = LoadInt32(bytes, L::kPropertyCountOffset);
  if (count < 0 || static_cast<std::size_t>(count) != header.propertyCodes.size()) {
    return Refused("its property count " + std::to_string(count) +
                   " does not match its property codes \"" + header.propertyCodes + "\"");
  }
  header.nx = LoadInt32(bytes, L::kNxOffset);
  header.nz = LoadInt32(bytes, L::kNzOffset);
  header.dx = LoadFloat(bytes, L::kDxOffset);
  header.dz = LoadFloat(bytes, L::kDzOffset);
  header.xExtent = LoadFloat(bytes, L::kXExtentOffset);
  header.zExtent = LoadFloat(bytes, L::kZExtentOffset);
  if (header.nx > 0 && header.nz > 0) {
    // nx * nz * count < 2^64 always; four bytes a value may not be.
    const std::uint64_t values = static_cast<std::uint64_t>(header.nx) *
                                 static_cast<std::uint64_t>(header.nz) *
                                 static_cast<std::uint64_t>(count);
    if (values > (std::numeric_limits<std::uint64_t>::max() - kGridFileHeaderSize) / 4) {
      return Refused("its sizes nx=" + std::to_string(header.nx) + ", nz=" +
                     std::to_string(header.nz) + " describe a data block too large for any file");
    }
  }
  return parsed;
}

Status GridFileInput::Open(const std::string& path) {
  path_ = path;
  std::string reason;
  // Opened as every input is: a pipe is refused at once instead of waiting for a writer.
  if (!file_.Open(path, &reason)) {
    return Status::Error("Cannot open the grid file " + path + ": " + reason + ".");
  }
  std::uint8_t bytes[kGridFileHeaderSize];
  std::size_t got = 0;
  if (!file_.ReadAt(0, reinterpret_cast<char*>(bytes), sizeof bytes, &got, &reason)) {
    return Status::Error("Cannot read the grid file " + path + ": " + reason + ".");
  }
  startsAsGridFile_ =
      got >= L::kSignatureSize &&
      std::memcmp(bytes + L::kSignatureOffset, L::kSignature, L::kSignatureSize) == 0;
  ParsedGridFileHeader parsed = ParseGridFileHeader(bytes, got);
  if (!parsed.ok()) {
    return Status::Error(path + " is not a grid file: " + parsed.status.message() + ".");
  }
  header_ = std::move(parsed.header);
  if (file_.Size() != kGridFileHeaderSize + GridFileDataSize(header_)) {
    return Status::Error(LengthMismatch(path, header_, file_.Size()));
  }
  return Status();
}

Status GridFileInput::ReadData(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) const {
  std::string reason;
  std::size_t got = 0;
  if (!file_.ReadAt(kGridFileHeaderSize + offset, reinterpret_cast<char*>(buffer), size, &got,
                    &reason)) {
    return Status::Error("Cannot read the grid file " + path_ + ": " + reason + ".");
  }
  // The file was cut short since it was opened.
  if (got < size) {
    return Status::Error(LengthMismatch(path_, header_, kGridFileHeaderSize + offset + got));
  }
  return Status();
}

Status GridFileInput::Map(FileMapping& mapping) const {
  std::string reason;
  if (mapping.Map(file_, kGridFileHeaderSize + GridFileDataSize(header_), &reason)) {
    return Status();
  }
  return Status::Error("Cannot map the grid file " + path_ + ": " + reason + ".");
}

std::vector<PropertyRange> RangesOfNodes(const std::uint8_t* nodes, std::size_t nodeCount,
                                         const std::string& codes) {
  std::vector<PropertyRange> ranges = EmptyPropertyRanges(codes);
  WidenPropertyRanges(nodes, 0, nodeCount, ranges);
  return ranges;
}

GridFileInfo ReadGridFile(const std::string& path) {
  GridFileInfo info;
  GridFileInput file;
  info.status = file.Open(path);
  if (!info.ok()) return info;
  info.header = file.Header();

  // The data block is read in chunks of whole nodes, at most 1 MiB, so a huge file never sits in
  // memory at once.
  const std::uint64_t dataSize = GridFileDataSize(info.header);
  const std::size_t nodeSize = 4 * info.header.propertyCodes.size();
  const std::size_t chunkSize = static_cast<std::size_t>(
      std::min<std::uint64_t>((std::size_t{1} << 20) / nodeSize * nodeSize, dataSize));
  std::unique_ptr<std::uint8_t[]> chunk;
  if (dataSize > 0) {
    chunk.reset(new (std::nothrow) std::uint8_t[chunkSize]);
    if (!chunk) {
      info.status = Status::Error("Not enough memory to read the grid file " + path + ".");
      return info;
    }
    info.ranges = EmptyPropertyRanges(info.header.propertyCodes);
  }
  for (std::uint64_t done = 0; done < dataSize; done += chunkSize) {
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(chunkSize, dataSize - done));
    info.status = file.ReadData(done, chunk.get(), wanted);
    if (!info.ok()) {
      info.ranges.clear();
      return info;
    }
    WidenPropertyRanges(chunk.get(), done / nodeSize, wanted / nodeSize, info.ranges);
  }
  return info;
}
