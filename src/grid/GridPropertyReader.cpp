#include "grid/GridPropertyReader.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "grid/GridFileReader.h"
#include "grid/ReadOnlyFile.h"

namespace {

GridPropertyValues Refused(std::string message) {
  GridPropertyValues read;
  read.status = Status::Error(std::move(message));
  return read;
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

constexpr char kEndedEarly[] = "it ended before its last value";

// The data block from the file into values: every node's value at `index` of `perNode`.
bool ReadValues(const ReadOnlyFile& file, std::size_t index, std::size_t perNode,
                GridPropertyValues& read, std::string* reason) {
  float* values = read.values.get();
  auto* bytes = reinterpret_cast<std::uint8_t*>(values);
  std::size_t got = 0;
  if (perNode == 1) {
    // The values alone: straight into place, then each word in the host's byte order.
    if (!file.ReadAt(kGridFileHeaderSize, reinterpret_cast<char*>(bytes), 4 * read.count, &got,
                     reason)) {
      return false;
    }
    if (got != 4 * read.count) {
      *reason = kEndedEarly;
      return false;
    }
    for (std::size_t i = 0; i < read.count; ++i) {
      values[i] = FloatFromBits(LoadLittleEndian32(bytes + 4 * i));
    }
    return true;
  }
  const std::size_t nodeSize = 4 * perNode;
  constexpr std::size_t kNodesAChunk = 1 << 16;
  std::vector<std::uint8_t> chunk(kNodesAChunk * nodeSize);
  for (std::size_t node = 0; node < read.count; node += kNodesAChunk) {
    const std::size_t nodes = std::min(kNodesAChunk, read.count - node);
    if (!file.ReadAt(kGridFileHeaderSize + node * nodeSize, reinterpret_cast<char*>(chunk.data()),
                     nodes * nodeSize, &got, reason)) {
      return false;
    }
    if (got != nodes * nodeSize) {
      *reason = kEndedEarly;
      return false;
    }
    for (std::size_t i = 0; i < nodes; ++i) {
      values[node + i] = FloatFromBits(LoadLittleEndian32(&chunk[i * nodeSize + 4 * index]));
    }
  }
  return true;
}

}  // namespace

GridPropertyValues ReadGridProperty(const std::string& path, const GridProperty* wanted) {
  ReadOnlyFile file;
  std::string reason;
  if (!file.Open(path, &reason))
    return Refused("Cannot open the grid file " + path + ": " + reason + ".");
  const auto readFailed = [&] {
    return Refused("Cannot read the grid file " + path + ": " + reason + ".");
  };

  char headerBytes[kGridFileHeaderSize];
  std::size_t got = 0;
  if (!file.ReadAt(0, headerBytes, sizeof headerBytes, &got, &reason)) return readFailed();
  GridFileInfo info = ParseGridFileHeader(reinterpret_cast<const std::uint8_t*>(headerBytes), got);
  if (!info.ok()) return Refused(path + " is not a grid file: " + info.status.message() + ".");
  const GridFileHeader& header = info.header;
  const std::uint64_t dataSize = GridFileDataSize(header);
  if (file.Size() != kGridFileHeaderSize + dataSize) {
    return Refused(LengthMismatch(path, header, file.Size()));
  }
  // The codes stand in the table's order: the first is Vp's whenever the file holds Vp.
  const GridProperty& property =
      wanted != nullptr ? *wanted : *PropertyWithCode(header.propertyCodes[0]);
  const std::size_t index = header.propertyCodes.find(property.code);
  if (index == std::string::npos) {
    return Refused(path + " holds no property " + NamedCodes(std::string(1, property.code), "") +
                   ": its properties are " + NamedCodes(header.propertyCodes, " and ") + ".");
  }
  if (dataSize == 0) {
    return Refused(path + " holds no values: its sizes are nx=" + std::to_string(header.nx) +
                   ", nz=" + std::to_string(header.nz) + ".");
  }

  GridPropertyValues read;
  read.header = header;
  read.property = &property;
  read.count = static_cast<std::size_t>(dataSize / (4 * header.propertyCodes.size()));
  read.values.reset(new (std::nothrow) float[read.count]);
  if (!read.values) return Refused("Not enough memory to read the grid file " + path + ".");
  if (!ReadValues(file, index, header.propertyCodes.size(), read, &reason)) return readFailed();
  return read;
}
