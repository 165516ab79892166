#pragma once
// The export: checks of OK, unit factors, the window on the input grid and the grid file written
// from it.

#include <cstdint>
#include <string>

// 0 -> 1.0f; anything else (1 "ft/s", -1 none) -> 0.3048f (bits 0x3E9C0EBF).
float VelocityUnitFactor(int selectionIndex);
// 1 -> 1000.0f; 2 -> 16.018463f (bits 0x418025D0); anything else -> 1.0f.
float DensityUnitFactor(int selectionIndex);

// The three checks of OK, in order, with their fixed messages; "" when all pass:
// "Open At least one input File", "Open Mvg file for Saving" (outputPath contains '*'),
// "Input and given grid sizes are not equal !\nThe program is not ready for this case. Sorry. Poka"
// (inputCount != elementCount).
std::string CheckExportRequest(bool vpLoaded, bool densityLoaded, bool vsLoaded,
                               const std::string& outputPath, std::int32_t inputCount,
                               std::uint32_t elementCount);

struct ExportSource {
  const float* vpValues = nullptr;  // null when the property is not loaded
  const float* densityValues = nullptr;
  const float* vsValues = nullptr;
  std::uint32_t elementCount = 0;  // values each loaded array holds
  std::int32_t nxInput = 0, nxWrite = 0, nzWrite = 0;
  float xStep = 1.0f, zStep = 1.0f;
  // Selection index of each units list (-1: none).
  int vpUnitIndex = 0, densityUnitIndex = 0, vsUnitIndex = 0;
};

struct ExportResult {
  bool ok = false;
  std::string message;  // clear text naming the file and the reason
};

// Builds header and data block (node by node, Vp, density, Vs; unit factors applied as float32
// products), refuses a window it cannot serve (never reads outside the arrays), and writes through
// a temporary file in the output's folder that replaces the output only when every byte is written;
// an existing file survives any failure. nxWrite or nzWrite <= 0 writes the header alone. A data
// block that is whole rows of one array, unscaled, is written from the array with no copy.
// Messages, each ending "\nNothing was written.":
//   "Cannot write the grid file: no file name was given."
//   "Cannot write the grid file F: no property is loaded."
//   "Cannot write the grid file F: the size to write nx=A, nz=B does not fit in the input grid
//    (nx=C, N values)."
//   "Not enough memory to write the grid file F: N bytes are needed."
//   "Cannot write the grid file F: <system reason>."   e.g. "No space left on device"
ExportResult ExportGridFile(const ExportSource& source, const std::string& outputPath);
