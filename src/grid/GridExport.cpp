#include "grid/GridExport.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "grid/AtomicFileWriter.h"
#include "grid/CompilerSupport.h"
#include "grid/GridFileHeader.h"

namespace {

// Nodes gathered for one write: at most 3 MiB of three properties.
constexpr std::uint64_t kBlockNodes = std::uint64_t{1} << 18;

Status Refused(const std::string& outputPath, const std::string& reason) {
  return Status::Error("Cannot write the grid file " + outputPath + ": " + reason + "." +
                       kNothingWritten);
}

// The properties present, in file order, and their codes.
std::vector<ExportProperty> PresentProperties(const ExportSource& source, std::string& codes) {
  std::vector<ExportProperty> present;
  for (const GridProperty& property : kGridProperties) {
    if (source.properties[property.kind].values == nullptr) continue;
    present.push_back(source.properties[property.kind]);
    codes += property.code;
  }
  return present;
}

// Every index z * nxInput + x with x < nxWrite, z < nzWrite lies below elementCount.
bool WindowFits(const GridWindow& window) {
  if (window.nxWrite <= 0 || window.nzWrite <= 0) return true;  // nothing is read
  if (window.nxInput <= 0 || window.nxWrite > window.nxInput) return false;
  const std::int64_t lastIndex =
      (static_cast<std::int64_t>(window.nzWrite) - 1) * window.nxInput + window.nxWrite - 1;
  return lastIndex < static_cast<std::int64_t>(window.elementCount);
}

// Nodes [first, first + count) of the window, node by node, row by row; each value an IEEE single
// product, stored little-endian. Each property fills its places of one run of a row at a time, so
// the run stays in cache; the loop works on local copies since the byte stores could otherwise
// alias the property list.
void GatherNodes(const GridWindow& window, const std::vector<ExportProperty>& properties,
                 std::uint64_t first, std::size_t count, std::uint8_t* out) {
  const std::size_t nodeSize = 4 * properties.size();
  const std::uint64_t nxWrite = static_cast<std::uint64_t>(window.nxWrite);
  const std::uint64_t nxInput = static_cast<std::uint64_t>(window.nxInput);
  while (count > 0) {
    const std::uint64_t z = first / nxWrite, x = first % nxWrite;
    const std::size_t run = static_cast<std::size_t>(std::min<std::uint64_t>(count, nxWrite - x));
    for (std::size_t p = 0; p < properties.size(); ++p) {
      const float factor = properties[p].factor;
      const float* const in = properties[p].values + z * nxInput + x;
      std::uint8_t* place = out + 4 * p;
      for (std::size_t i = 0; i < run; ++i, place += nodeSize) {
        StoreLittleEndian32(FloatBits(factor * in[i]), place);
      }
    }
    out += run * nodeSize;
    first += run;
    count -= run;
  }
}

// The data block is a run of one array's bytes as they lie in memory: one property, unchanged by
// its factor (x * 1.0f is x, bit for bit), whole rows from the first on, on a little-endian host.
// It is then written straight from the array, with no buffer of its own.
bool DataBlockIsTheArray(const GridWindow& window, const std::vector<ExportProperty>& properties) {
  return kLittleEndianHost && properties.size() == 1 && properties[0].factor == 1.0f &&
         window.nxWrite == window.nxInput;
}

ExportedGridFile NothingWritten(Status status) {
  ExportedGridFile exported;
  exported.status = std::move(status);
  return exported;
}

}  // namespace

ExportedGridFile ExportGridFile(const ExportSource& source, const std::string& outputPath) {
  if (outputPath.empty()) {
    return NothingWritten(Status::Error(
        std::string("Cannot write the grid file: no file name was given.") + kNothingWritten));
  }
  std::string codes;
  const std::vector<ExportProperty> properties = PresentProperties(source, codes);
  if (properties.empty()) return NothingWritten(Refused(outputPath, "no property is loaded"));
  const GridWindow& window = source.window;
  if (!WindowFits(window)) {
    return NothingWritten(Refused(
        outputPath, "the size to write nx=" + std::to_string(window.nxWrite) +
                        ", nz=" + std::to_string(window.nzWrite) +
                        " does not fit in the input grid (nx=" + std::to_string(window.nxInput) +
                        ", " + std::to_string(window.elementCount) + " values)"));
  }

  ExportedGridFile exported;
  exported.header =
      MakeGridFileHeader(window.nxWrite, window.nzWrite, window.xStep, window.zStep, codes);
  const std::array<std::uint8_t, kGridFileHeaderSize> headerBytes = exported.header.ToBytes();

  // The window lies inside arrays of at most 2^32 values, so this cannot overflow 64 bits.
  const std::uint64_t nodeCount =
      window.nxWrite > 0 && window.nzWrite > 0
          ? static_cast<std::uint64_t>(window.nxWrite) * static_cast<std::uint64_t>(window.nzWrite)
          : 0;
  const std::size_t nodeSize = 4 * properties.size();
  const bool straight = nodeCount > 0 && DataBlockIsTheArray(window, properties);
  // Nodes are gathered a block at a time and written as they are made.
  const std::size_t blockNodes =
      static_cast<std::size_t>(std::min<std::uint64_t>(kBlockNodes, nodeCount));
  std::unique_ptr<std::uint8_t[]> block;
  if (nodeCount > 0 && !straight) {
    block.reset(new (std::nothrow) std::uint8_t[blockNodes * nodeSize]);
    if (!block) {
      return NothingWritten(Status::Error("Not enough memory to write the grid file " + outputPath +
                                          ": " + std::to_string(blockNodes * nodeSize) +
                                          " bytes are needed." + kNothingWritten));
    }
  }

  AtomicFileWriter file;
  Status status = file.Begin(outputPath);
  if (status.ok()) status = file.Write(headerBytes.data(), headerBytes.size());
  if (status.ok() && straight) {
    status = file.Write(properties[0].values, static_cast<std::size_t>(nodeCount * 4));
  }
  for (std::uint64_t first = 0; status.ok() && !straight && first < nodeCount;
       first += blockNodes) {
    const std::size_t nodes =
        static_cast<std::size_t>(std::min<std::uint64_t>(blockNodes, nodeCount - first));
    GatherNodes(window, properties, first, nodes, block.get());
    status = file.Write(block.get(), nodes * nodeSize);
  }
  if (status.ok()) status = file.Commit();
  if (!status.ok()) return NothingWritten(Refused(outputPath, status.message()));
  exported.bytes = kGridFileHeaderSize + nodeCount * nodeSize;
  return exported;
}
