#include "gridfile/GridPropertyReader.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "gridfile/GridFileReader.h"

namespace {

GridPropertyValues Refused(Status status) {
  GridPropertyValues read;
  read.status = std::move(status);
  return read;
}

}  // namespace

Status ReadPropertyValues(const GridFileInput& file, std::size_t index, float* values,
                          std::size_t count) {
  const std::size_t perNode = file.Header().propertyCodes.size();
  auto* bytes = reinterpret_cast<std::uint8_t*>(values);
  if (perNode == 1) {
    // The values alone: straight into place, then each word in the host's byte order.
    Status status = file.ReadData(0, bytes, 4 * count);
    for (std::size_t i = 0; status.ok() && i < count; ++i) {
      values[i] = FloatFromBits(LoadLittleEndian32(bytes + 4 * i));
    }
    return status;
  }
  const std::size_t nodeSize = 4 * perNode;
  constexpr std::size_t kNodesAChunk = 1 << 16;
  std::vector<std::uint8_t> chunk(kNodesAChunk * nodeSize);
  for (std::size_t node = 0; node < count; node += kNodesAChunk) {
    const std::size_t nodes = std::min(kNodesAChunk, count - node);
    const Status status = file.ReadData(node * nodeSize, chunk.data(), nodes * nodeSize);
    if (!status.ok()) return status;
    for (std::size_t i = 0; i < nodes; ++i) {
      values[node + i] = FloatFromBits(LoadLittleEndian32(&chunk[i * nodeSize + 4 * index]));
    }
  }
  return Status();
}

GridPropertyValues ReadGridProperty(const std::string& path, const GridProperty* wanted) {
  GridFileInput file;
  const Status opened = file.Open(path);
  if (!opened.ok()) return Refused(opened);
  const GridFileHeader& header = file.Header();
  // The codes stand in the table's order: the first is Vp's whenever the file holds Vp.
  const GridProperty& property =
      wanted != nullptr ? *wanted : *PropertyWithCode(header.propertyCodes[0]);
  const std::size_t index = header.propertyCodes.find(property.code);
  if (index == std::string::npos) {
    return Refused(
        Status::Error(path + " holds no property " + NamedCodes(std::string(1, property.code), "") +
                      ": its properties are " + NamedCodes(header.propertyCodes, " and ") + "."));
  }
  const std::uint64_t dataSize = GridFileDataSize(header);
  if (dataSize == 0) {
    return Refused(Status::Error(path +
                                 " holds no values: its sizes are nx=" + std::to_string(header.nx) +
                                 ", nz=" + std::to_string(header.nz) + "."));
  }

  GridPropertyValues read;
  read.header = header;
  read.property = &property;
  read.count = static_cast<std::size_t>(dataSize / (4 * header.propertyCodes.size()));
  read.values.reset(new (std::nothrow) float[read.count]);
  if (!read.values) {
    return Refused(Status::Error("Not enough memory to read the grid file " + path + "."));
  }
  read.status = ReadPropertyValues(file, index, read.values.get(), read.count);
  if (!read.ok()) read.values.reset();
  return read;
}
