#pragma once
// The export: the window on the input grid, unit factors applied, written as one grid file.

#include <cstdint>
#include <string>

#include "grid/Status.h"

// One property of the export: its values in file order (null when it is not written) and the
// factor that turns them into m/s or kg/m3.
struct ExportProperty {
  const float* values = nullptr;
  float factor = 1.0f;
};

struct ExportSource {
  ExportProperty vp, density, vs;  // written in this order, node by node
  std::uint32_t elementCount = 0;  // values each present array holds
  std::int32_t nxInput = 0, nxWrite = 0, nzWrite = 0;
  float xStep = 1.0f, zStep = 1.0f;
};

// Builds header and data block (node by node, Vp, density, Vs; factors applied as float32
// products), refuses a window it cannot serve (never reads outside the arrays), and writes
// through a temporary file in the output's folder that replaces the output only when every byte
// is written; an existing file survives any failure. nxWrite or nzWrite <= 0 writes the header
// alone. A data block that is whole rows of one array, unscaled, is written from the array with
// no copy. Messages, each ending "\nNothing was written.":
//   "Cannot write the grid file: no file name was given."
//   "Cannot write the grid file F: no property is loaded."
//   "Cannot write the grid file F: the size to write nx=A, nz=B does not fit in the input grid
//    (nx=C, N values)."
//   "Not enough memory to write the grid file F: N bytes are needed."
//   "Cannot write the grid file F: <system reason>."   e.g. "No space left on device"
Status ExportGridFile(const ExportSource& source, const std::string& outputPath);
// The same written to standard output, as a stream: a failure while writing ends "\nWhat was
// written is incomplete." once some bytes went out, e.g.
//   "Cannot write the grid file to standard output: Broken pipe.\nWhat was written is incomplete."
Status ExportGridFileToStandardOutput(const ExportSource& source);
