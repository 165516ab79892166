#include "grid/GridExport.h"

#include <limits>
#include <memory>
#include <new>
#include <vector>

#include "grid/AtomicFileWriter.h"
#include "grid/CompilerSupport.h"
#include "grid/GridFileHeader.h"
#include "grid/StandardOutput.h"

namespace {

constexpr char kNothingWritten[] = "\nNothing was written.";

// `where`: " model.mvg", " to standard output".
Status Refused(const std::string& where, const std::string& reason,
               const char* outcome = kNothingWritten) {
  return Status::Error("Cannot write the grid file" + where + ": " + reason + "." + outcome);
}

// The properties present, in file order.
std::vector<ExportProperty> PresentProperties(const ExportSource& source) {
  std::vector<ExportProperty> present;
  for (const ExportProperty& property : {source.vp, source.density, source.vs}) {
    if (property.values != nullptr) present.push_back(property);
  }
  return present;
}

// Every index z * nxInput + x with x < nxWrite, z < nzWrite lies below elementCount.
bool WindowFits(const ExportSource& source) {
  if (source.nxWrite <= 0 || source.nzWrite <= 0) return true;  // nothing is read
  if (source.nxInput <= 0 || source.nxWrite > source.nxInput) return false;
  const std::int64_t lastIndex =
      (static_cast<std::int64_t>(source.nzWrite) - 1) * source.nxInput + source.nxWrite - 1;
  return lastIndex < static_cast<std::int64_t>(source.elementCount);
}

// Node by node, row by row; each value an IEEE single product, stored little-endian. Each
// property fills its places of one output row at a time, so the row stays in cache; the loop works
// on local copies since the byte stores could otherwise alias the property list.
void GatherNodes(const ExportSource& source, const std::vector<ExportProperty>& properties,
                 std::uint8_t* out) {
  const std::size_t nodeSize = 4 * properties.size();
  const std::size_t nxWrite = static_cast<std::size_t>(source.nxWrite);
  const std::size_t nxInput = static_cast<std::size_t>(source.nxInput);
  const std::size_t rowSize = nodeSize * nxWrite;
  for (std::size_t z = 0; z < static_cast<std::size_t>(source.nzWrite); ++z) {
    std::uint8_t* const outRow = out + z * rowSize;
    for (std::size_t p = 0; p < properties.size(); ++p) {
      const float factor = properties[p].factor;
      const float* const inRow = properties[p].values + z * nxInput;
      std::uint8_t* place = outRow + 4 * p;
      for (std::size_t x = 0; x < nxWrite; ++x, place += nodeSize) {
        StoreLittleEndian32(FloatBits(factor * inRow[x]), place);
      }
    }
  }
}

// The data block is a run of one array's bytes as they lie in memory: one property, unchanged by
// its factor (x * 1.0f is x, bit for bit), whole rows from the first on, on a little-endian host.
// It is then written straight from the array, with no buffer of its own.
bool DataBlockIsTheArray(const ExportSource& source,
                         const std::vector<ExportProperty>& properties) {
  return kLittleEndianHost && properties.size() == 1 && properties[0].factor == 1.0f &&
         source.nxWrite == source.nxInput;
}

// Builds header and data block and hands them to `write`; `where` names the output in messages.
template <class Write>
Status Export(const ExportSource& source, const std::string& where, const Write& write) {
  const std::vector<ExportProperty> properties = PresentProperties(source);
  if (properties.empty()) return Refused(where, "no property is loaded");
  if (!WindowFits(source)) {
    return Refused(
        where, "the size to write nx=" + std::to_string(source.nxWrite) +
                   ", nz=" + std::to_string(source.nzWrite) +
                   " does not fit in the input grid (nx=" + std::to_string(source.nxInput) + ", " +
                   std::to_string(source.elementCount) + " values)");
  }

  const GridFileHeader header = MakeGridFileHeader(
      source.nxWrite, source.nzWrite, source.xStep, source.zStep, source.vp.values != nullptr,
      source.density.values != nullptr, source.vs.values != nullptr);
  const std::array<std::uint8_t, kGridFileHeaderSize> headerBytes = header.ToBytes();

  // The window lies inside arrays of at most 2^32 values, so this cannot overflow 64 bits.
  const std::uint64_t dataSize = source.nxWrite > 0 && source.nzWrite > 0
                                     ? static_cast<std::uint64_t>(source.nxWrite) *
                                           static_cast<std::uint64_t>(source.nzWrite) *
                                           properties.size() * 4
                                     : 0;
  const void* block = nullptr;
  std::unique_ptr<std::uint8_t[]> data;
  if (dataSize > 0 && DataBlockIsTheArray(source, properties)) {
    block = properties[0].values;
  } else if (dataSize > 0) {
    if (dataSize <= std::numeric_limits<std::size_t>::max()) {
      data.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(dataSize)]);
    }
    if (!data) {
      return Status::Error("Not enough memory to write the grid file" + where + ": " +
                           std::to_string(dataSize) + " bytes are needed." + kNothingWritten);
    }
    GatherNodes(source, properties, data.get());
    block = data.get();
  }

  std::vector<FileBlock> blocks{{headerBytes.data(), headerBytes.size()}};
  if (dataSize > 0) blocks.push_back({block, static_cast<std::size_t>(dataSize)});
  return write(blocks);
}

}  // namespace

Status ExportGridFile(const ExportSource& source, const std::string& outputPath) {
  if (outputPath.empty()) {
    return Status::Error(std::string("Cannot write the grid file: no file name was given.") +
                         kNothingWritten);
  }
  const std::string where = " " + outputPath;
  return Export(source, where, [&](const std::vector<FileBlock>& blocks) {
    const Status written = WriteFileAtomically(outputPath, blocks);
    return written.ok() ? written : Refused(where, written.message());
  });
}

Status ExportGridFileToStandardOutput(const ExportSource& source) {
  const std::string where = " to standard output";
  return Export(source, where, [&](const std::vector<FileBlock>& blocks) {
    bool anyWritten = false;
    const Status written = WriteToStandardOutput(blocks, &anyWritten);
    if (written.ok()) return written;
    return Refused(where, written.message(),
                   anyWritten ? "\nWhat was written is incomplete." : kNothingWritten);
  });
}
