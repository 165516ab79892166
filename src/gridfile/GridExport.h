#pragma once
// The export: the window on the input grid, unit factors applied, written as one grid file; or a
// model made a row at a time as it is written.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "grid/GridProperties.h"
#include "grid/Status.h"
#include "gridfile/GridFileHeader.h"

// One property of the export: its values in file order (null when it is not written) and the
// factor that turns them into m/s or kg/m3.
struct ExportProperty {
  const float* values = nullptr;
  float factor = 1.0f;
};

// The part of the input grid written, nxWrite x nzWrite nodes from node (xFrom, zFrom) (numbered
// from 0), and the steps of the input grid.
struct GridWindow {
  std::uint32_t elementCount = 0;  // values each present array holds
  std::int32_t nxInput = 0;        // values a row of the input grid
  std::int32_t nxWrite = 0, nzWrite = 0;
  float xStep = 1.0f, zStep = 1.0f;
  std::int32_t xFrom = 0, zFrom = 0;
};

struct ExportSource {
  PerProperty<ExportProperty> properties;  // written in the file's order, node by node
  GridWindow window;
};

class GridFileDraft;

// Where a grid file goes: a file named exactly as given (the file its links lead to; a device or
// a pipe written as a stream, see AtomicFileWriter), or standard output, as a stream. A draft
// of the file, begun while the values were read, is finished when it holds the data block.
struct GridOutput {
  GridOutput(std::string path) : path(std::move(path)) {}
  GridOutput(const char* path) : path(path) {}
  static GridOutput StandardOutput() {
    GridOutput output("");
    output.standardOutput = true;
    return output;
  }
  std::string path;
  bool standardOutput = false;
  GridFileDraft* draft = nullptr;
  // Asked once every byte of a file is made, before it takes its name: false leaves the output as
  // it was. Not asked of a stream, whose bytes went out as they were made.
  std::function<bool()> beforeCommit;
};

// What the export wrote: the file's header and length; or why it wrote nothing.
struct ExportedGridFile {
  GridFileHeader header;
  std::uint64_t bytes = 0;
  Status status;
  bool declined = false;  // beforeCommit said no: nothing was written, and status is ok
  bool ok() const { return status.ok() && !declined; }
};

// Builds header and data block (node by node, in the file's order; factors applied as float32
// products), refuses a window it cannot serve (never reads outside the arrays), and writes
// through a temporary file in the output's folder that replaces the output only when every byte
// is written; an existing file survives any failure. nxWrite or nzWrite <= 0 writes the header
// alone. The data block is made and written a few MiB at a time, never whole in memory; one that
// is whole rows of one array, unscaled, is written from the array with no copy. Messages, each
// ending "\nNothing was written.":
//   "Cannot write the grid file: no file name was given."
//   "Cannot write the grid file F: no property is loaded."
//   "Cannot write the grid file F: the size to write nx=A, nz=B does not fit in the input grid
//    (nx=C, N values)."   (", from x=D, z=E" after B for a window that does not start at 0, 0)
//   "Not enough memory to write the grid file F: N bytes are needed."
//   "Cannot write the grid file F: <system reason>."   e.g. "No space left on device"
// A draft that holds the data block (GridFileDraft.h) is finished instead of a new file written.
// Written to standard output, F is "to standard output" ("Cannot write the grid file to standard
// output: Broken pipe."); a failure after some bytes of a stream went out ends "\nWhat was
// written is incomplete." instead.
ExportedGridFile ExportGridFile(const ExportSource& source, const GridOutput& output);

// A model that is not a window of arrays (holes filled, properties derived, new steps, a border),
// made a run of a row at a time as it is written.
class MadeRows {
 public:
  virtual ~MadeRows() = default;
  // The values of the index-th property written (in the file's order) at row z, columns
  // [x, x + count), in the file's units. Runs come row after row, each row from left to right.
  virtual void MakeRun(std::size_t index, std::int32_t z, std::int32_t x, std::size_t count,
                       float* out) = 0;
};

struct MadeGrid {
  std::int32_t nx = 0, nz = 0;
  float xStep = 1.0f, zStep = 1.0f;
  std::string propertyCodes;  // of the properties made, in the file's order
  MadeRows* rows = nullptr;
};

// The made model written as ExportGridFile writes a window, with its messages; its runs are made
// into a buffer of at most 1 MiB beside the block written.
ExportedGridFile ExportMadeGrid(const MadeGrid& grid, const GridOutput& output);
