#include "grid/GridFileReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "grid/ReadOnlyFile.h"

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

bool KnownPropertyCodes(const std::string& codes) {
  for (const char* known : {"P", "Q", "R", "PQ", "PR", "QR", "PQR"}) {
    if (codes == known) return true;
  }
  return false;
}

GridFileInfo Refused(std::string message) {
  GridFileInfo info;
  info.status = Status::Error(std::move(message));
  return info;
}

std::string NotAGridFile(const std::string& fileName, const std::string& clause) {
  return fileName + " is not a grid file: " + clause + ".";
}

std::string LengthMismatch(const std::string& fileName, const GridFileHeader& header,
                           std::uint64_t actualSize) {
  const std::size_t count = header.propertyCodes.size();
  return fileName + " does not match its header: " + std::to_string(header.nx) + " x " +
         std::to_string(header.nz) + " nodes of " + std::to_string(count) +
         (count == 1 ? " property" : " properties") + " make a file of " +
         std::to_string(kGridFileHeaderSize + GridFileDataSize(header)) + " bytes, but it holds " +
         std::to_string(actualSize) + " bytes.";
}

}  // namespace

GridFileInfo ParseGridFileHeader(const std::uint8_t* bytes, std::size_t size) {
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
  GridFileInfo info;
  GridFileHeader& header = info.header;
  header.propertyCodes.assign(reinterpret_cast<const char*>(codes),
                              static_cast<const std::uint8_t*>(nul) - codes);
  if (!KnownPropertyCodes(header.propertyCodes)) {
    return Refused("its property codes \"" + Printable(header.propertyCodes) +
                   "\" are not one of P, Q, R, PQ, PR, QR, PQR");
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
  return info;
}

std::uint64_t GridFileDataSize(const GridFileHeader& header) {
  if (header.nx <= 0 || header.nz <= 0) return 0;
  return static_cast<std::uint64_t>(header.nx) * static_cast<std::uint64_t>(header.nz) *
         header.propertyCodes.size() * 4;
}

std::vector<PropertyRange> EmptyPropertyRanges(const std::string& codes) {
  std::vector<PropertyRange> ranges;
  for (char code : codes) {
    ranges.push_back(PropertyRange{code, std::numeric_limits<float>::infinity(),
                                   -std::numeric_limits<float>::infinity()});
  }
  return ranges;
}

void WidenPropertyRanges(const std::uint8_t* nodes, std::size_t nodeCount,
                         std::vector<PropertyRange>& ranges) {
  const std::size_t perNode = ranges.size();
  for (std::size_t node = 0; node < nodeCount; ++node) {
    for (std::size_t p = 0; p < perNode; ++p) {
      const float value = FloatFromBits(LoadLittleEndian32(nodes + 4 * (node * perNode + p)));
      // Comparisons are false for NaN, which therefore changes nothing.
      if (value < ranges[p].minimum) ranges[p].minimum = value;
      if (value > ranges[p].maximum) ranges[p].maximum = value;
    }
  }
}

GridFileInfo ReadGridFileFromBytes(const std::uint8_t* bytes, std::size_t size,
                                   const std::string& fileName) {
  GridFileInfo info = ParseGridFileHeader(bytes, size);
  if (!info.ok()) return Refused(NotAGridFile(fileName, info.status.message()));
  const std::uint64_t dataSize = GridFileDataSize(info.header);
  if (size - kGridFileHeaderSize != dataSize) {
    return Refused(LengthMismatch(fileName, info.header, size));
  }
  if (dataSize > 0) {
    info.ranges = EmptyPropertyRanges(info.header.propertyCodes);
    const std::size_t nodeSize = 4 * info.ranges.size();
    WidenPropertyRanges(bytes + kGridFileHeaderSize, dataSize / nodeSize, info.ranges);
  }
  return info;
}

GridFileInfo ReadGridFile(const std::string& path) {
  // Opened as every input is: a pipe is refused at once instead of waiting for a writer.
  ReadOnlyFile file;
  std::string reason;
  if (!file.Open(path, &reason)) {
    return Refused("Cannot open the grid file " + path + ": " + reason + ".");
  }
  const auto readFailed = [&path, &reason] {
    return Refused("Cannot read the grid file " + path + ": " + reason + ".");
  };

  std::uint8_t headerBytes[kGridFileHeaderSize];
  std::size_t got = 0;
  if (!file.ReadAt(0, reinterpret_cast<char*>(headerBytes), sizeof headerBytes, &got, &reason)) {
    return readFailed();
  }
  GridFileInfo info = ParseGridFileHeader(headerBytes, got);
  if (!info.ok()) return Refused(NotAGridFile(path, info.status.message()));
  const std::uint64_t dataSize = GridFileDataSize(info.header);
  if (file.Size() != kGridFileHeaderSize + dataSize) {
    return Refused(LengthMismatch(path, info.header, file.Size()));
  }

  // The data block is read in chunks that hold whole nodes (24 bytes hold one, two or three
  // properties' nodes exactly), so a huge file never sits in memory at once.
  const std::size_t nodeSize = 4 * info.header.propertyCodes.size();
  constexpr std::size_t kChunkSize = 24 * 43690;  // just under 1 MiB
  std::unique_ptr<std::uint8_t[]> chunk;
  if (dataSize > 0) {
    chunk.reset(new (std::nothrow) std::uint8_t[kChunkSize]);
    if (!chunk) return Refused("Not enough memory to read the grid file " + path + ".");
    info.ranges = EmptyPropertyRanges(info.header.propertyCodes);
  }
  for (std::uint64_t done = 0; done < dataSize;) {
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(kChunkSize, dataSize - done));
    if (!file.ReadAt(kGridFileHeaderSize + done, reinterpret_cast<char*>(chunk.get()), wanted, &got,
                     &reason)) {
      return readFailed();
    }
    if (got < wanted) {
      return Refused(LengthMismatch(path, info.header, kGridFileHeaderSize + done + got));
    }
    WidenPropertyRanges(chunk.get(), got / nodeSize, info.ranges);
    done += got;
  }
  return info;
}
