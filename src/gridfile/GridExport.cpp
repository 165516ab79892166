#include "gridfile/GridExport.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "grid/CompilerSupport.h"
#include "gridfile/GridFileDraft.h"
#include "gridfile/GridFileHeader.h"
#include "system/AtomicFileWriter.h"
#include "system/StandardOutput.h"

namespace {

// Nodes gathered for one write: at most 3 MiB of three properties.
constexpr std::uint64_t kBlockNodes = std::uint64_t{1} << 18;

// How messages name the output, after "the grid file": " model.mvg", " to standard output".
std::string WhereOf(const GridOutput& output) {
  return output.standardOutput ? " to standard output" : " " + output.path;
}

Status Refused(const GridOutput& output, const std::string& reason,
               const char* outcome = kNothingWritten) {
  return Status::Error("Cannot write the grid file" + WhereOf(output) + ": " + reason + "." +
                       outcome);
}

ExportedGridFile NothingWritten(Status status) {
  ExportedGridFile exported;
  exported.status = std::move(status);
  return exported;
}

// The file was made whole, and turned down: its temporary goes, the output stays as it was.
ExportedGridFile Declined() {
  ExportedGridFile exported;
  exported.declined = true;
  return exported;
}

ExportedGridFile NoFileName() {
  return NothingWritten(Status::Error(
      std::string("Cannot write the grid file: no file name was given.") + kNothingWritten));
}

ExportedGridFile NotEnoughMemory(const GridOutput& output, std::size_t bytes) {
  return NothingWritten(Status::Error("Not enough memory to write the grid file" + WhereOf(output) +
                                      ": " + std::to_string(bytes) + " bytes are needed." +
                                      kNothingWritten));
}

// The grid file's bytes on their way out: an atomic write of a file, or standard output, where
// bytes that went out stay out.
class GridFileSink {
 public:
  explicit GridFileSink(const GridOutput& output) : output_(output) {}
  Status Begin() { return output_.standardOutput ? Status() : file_.Begin(output_.path); }
  Status Write(const void* data, std::size_t size) {
    return output_.standardOutput ? WriteToStandardOutput(data, size, &anyWritten_)
                                  : file_.Write(data, size);
  }
  Status Commit() { return output_.standardOutput ? Status() : file_.Commit(); }
  // Whether beforeCommit turns the file down; a stream is never asked.
  bool Declined() const {
    return !output_.standardOutput && !file_.Streams() && output_.beforeCommit &&
           !output_.beforeCommit();
  }
  // How a refusal ends.
  const char* Outcome() const {
    return anyWritten_ || file_.Streamed() ? "\nWhat was written is incomplete." : kNothingWritten;
  }

 private:
  const GridOutput& output_;
  AtomicFileWriter file_;
  bool anyWritten_ = false;
};

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

// Every index (zFrom + z) * nxInput + xFrom + x with x < nxWrite, z < nzWrite lies below
// elementCount.
bool WindowFits(const GridWindow& window) {
  if (window.nxWrite <= 0 || window.nzWrite <= 0) return true;  // nothing is read
  if (window.nxInput <= 0 || window.xFrom < 0 || window.zFrom < 0 ||
      static_cast<std::int64_t>(window.xFrom) + window.nxWrite > window.nxInput) {
    return false;
  }
  const std::int64_t lastIndex =
      (static_cast<std::int64_t>(window.zFrom) + window.nzWrite - 1) * window.nxInput +
      window.xFrom + window.nxWrite - 1;
  return lastIndex < static_cast<std::int64_t>(window.elementCount);
}

// The index of the window's first node in the arrays.
std::uint64_t FirstIndex(const GridWindow& window) {
  return static_cast<std::uint64_t>(window.zFrom) * static_cast<std::uint64_t>(window.nxInput) +
         static_cast<std::uint64_t>(window.xFrom);
}

std::uint64_t NodeCount(std::int32_t nx, std::int32_t nz) {
  return nx > 0 && nz > 0 ? static_cast<std::uint64_t>(nx) * static_cast<std::uint64_t>(nz) : 0;
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
  const std::uint64_t start = FirstIndex(window);
  while (count > 0) {
    const std::uint64_t z = first / nxWrite, x = first % nxWrite;
    const std::size_t run = static_cast<std::size_t>(std::min<std::uint64_t>(count, nxWrite - x));
    for (std::size_t p = 0; p < properties.size(); ++p) {
      const float factor = properties[p].factor;
      const float* const in = properties[p].values + start + z * nxInput + x;
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
// its factor (x * 1.0f is x, bit for bit), whole rows, on a little-endian host. It is then
// written straight from the array, with no buffer of its own.
bool DataBlockIsTheArray(const GridWindow& window, const std::vector<ExportProperty>& properties) {
  return kLittleEndianHost && properties.size() == 1 && properties[0].factor == 1.0f &&
         window.nxWrite == window.nxInput;
}

// Makes nodes [first, first + count) of the data block into out.
using GatherBlock = std::function<void(std::uint64_t first, std::size_t count, std::uint8_t* out)>;

// Writes the header and nodeCount nodes of nodeSize bytes: straight from `straight` when it is
// set (or by finishing the output's draft, when it holds them already), else gathered a block at
// a time, each written as it is made.
ExportedGridFile WriteGridFile(const GridFileHeader& header, std::uint64_t nodeCount,
                               std::size_t nodeSize, const void* straight,
                               const GatherBlock& gather, const GridOutput& output) {
  const std::array<std::uint8_t, kGridFileHeaderSize> headerBytes = header.ToBytes();
  const bool gathered = nodeCount > 0 && straight == nullptr;
  const std::size_t blockNodes =
      static_cast<std::size_t>(std::min<std::uint64_t>(kBlockNodes, nodeCount));
  std::unique_ptr<std::uint8_t[]> block;
  if (gathered) {
    block.reset(new (std::nothrow) std::uint8_t[blockNodes * nodeSize]);
    if (!block) return NotEnoughMemory(output, blockNodes * nodeSize);
  }

  GridFileDraft* const draft = output.draft;
  if (straight != nullptr && draft != nullptr &&
      draft->Holds(static_cast<const float*>(straight), nodeCount * nodeSize / sizeof(float))) {
    if (output.beforeCommit && !output.beforeCommit()) return Declined();
    const Status finished = draft->Finish(header, nodeCount * nodeSize / sizeof(float));
    if (!finished.ok()) return NothingWritten(Refused(output, finished.message()));
    ExportedGridFile exported;
    exported.header = header;
    exported.bytes = kGridFileHeaderSize + nodeCount * nodeSize;
    return exported;
  }
  GridFileSink file(output);
  Status status = file.Begin();
  if (status.ok()) status = file.Write(headerBytes.data(), headerBytes.size());
  if (status.ok() && !gathered && nodeCount > 0) {
    status = file.Write(straight, static_cast<std::size_t>(nodeCount * nodeSize));
  }
  for (std::uint64_t first = 0; status.ok() && gathered && first < nodeCount; first += blockNodes) {
    const std::size_t nodes =
        static_cast<std::size_t>(std::min<std::uint64_t>(blockNodes, nodeCount - first));
    gather(first, nodes, block.get());
    status = file.Write(block.get(), nodes * nodeSize);
  }
  if (status.ok() && file.Declined()) return Declined();
  if (status.ok()) status = file.Commit();
  if (!status.ok()) return NothingWritten(Refused(output, status.message(), file.Outcome()));
  ExportedGridFile exported;
  exported.header = header;
  exported.bytes = kGridFileHeaderSize + nodeCount * nodeSize;
  return exported;
}

}  // namespace

ExportedGridFile ExportGridFile(const ExportSource& source, const GridOutput& output) {
  if (!output.standardOutput && output.path.empty()) return NoFileName();
  std::string codes;
  const std::vector<ExportProperty> properties = PresentProperties(source, codes);
  if (properties.empty()) return NothingWritten(Refused(output, "no property is loaded"));
  const GridWindow& window = source.window;
  if (!WindowFits(window)) {
    const std::string from =
        window.xFrom == 0 && window.zFrom == 0
            ? ""
            : ", from x=" + std::to_string(window.xFrom) + ", z=" + std::to_string(window.zFrom);
    return NothingWritten(Refused(
        output, "the size to write nx=" + std::to_string(window.nxWrite) +
                    ", nz=" + std::to_string(window.nzWrite) + from +
                    " does not fit in the input grid (nx=" + std::to_string(window.nxInput) + ", " +
                    std::to_string(window.elementCount) + " values)"));
  }
  // The window lies inside arrays of at most 2^32 values, so this cannot overflow 64 bits.
  const std::uint64_t nodeCount = NodeCount(window.nxWrite, window.nzWrite);
  const bool straight = nodeCount > 0 && DataBlockIsTheArray(window, properties);
  return WriteGridFile(
      MakeGridFileHeader(window.nxWrite, window.nzWrite, window.xStep, window.zStep, codes),
      nodeCount, 4 * properties.size(),
      straight ? properties[0].values + FirstIndex(window) : nullptr,
      [&](std::uint64_t first, std::size_t count, std::uint8_t* out) {
        GatherNodes(window, properties, first, count, out);
      },
      output);
}

ExportedGridFile ExportMadeGrid(const MadeGrid& grid, const GridOutput& output) {
  if (!output.standardOutput && output.path.empty()) return NoFileName();
  if (grid.propertyCodes.empty() || grid.rows == nullptr) {
    return NothingWritten(Refused(output, "no property is loaded"));
  }
  const std::size_t count = grid.propertyCodes.size();
  const std::uint64_t nodeCount = NodeCount(grid.nx, grid.nz);
  // One run of one property at a time, at most a block's nodes.
  const std::size_t runNodes =
      static_cast<std::size_t>(std::min<std::uint64_t>(kBlockNodes, nodeCount));
  std::unique_ptr<float[]> run;
  if (runNodes > 0) {
    run.reset(new (std::nothrow) float[runNodes]);
    if (!run) return NotEnoughMemory(output, 4 * runNodes);
  }
  const std::uint64_t nx = static_cast<std::uint64_t>(std::max(grid.nx, 1));
  MadeRows& rows = *grid.rows;
  const auto gather = [&](std::uint64_t first, std::size_t nodes, std::uint8_t* out) {
    const std::size_t nodeSize = 4 * count;
    while (nodes > 0) {
      const std::uint64_t z = first / nx, x = first % nx;
      const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(nodes, nx - x));
      for (std::size_t p = 0; p < count; ++p) {
        rows.MakeRun(p, static_cast<std::int32_t>(z), static_cast<std::int32_t>(x), length,
                     run.get());
        std::uint8_t* place = out + 4 * p;
        for (std::size_t i = 0; i < length; ++i, place += nodeSize) {
          StoreLittleEndian32(FloatBits(run[i]), place);
        }
      }
      out += length * nodeSize;
      first += length;
      nodes -= length;
    }
  };
  return WriteGridFile(
      MakeGridFileHeader(grid.nx, grid.nz, grid.xStep, grid.zStep, grid.propertyCodes), nodeCount,
      4 * count, nullptr, gather, output);
}
