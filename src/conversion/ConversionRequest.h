#pragma once
// One conversion as both front ends ask for it: the loaded properties with their units, the
// grid's X size, the window to write, the steps and the output. Each front end fills a request
// from what its user gave; the checks and the export are the same for both.

#include <cstdint>
#include <string>

#include "conversion/Units.h"
#include "grid/GridExport.h"
#include "grid/GridProperties.h"
#include "grid/Status.h"
#include "grid/TextGridLines.h"

struct PropertyInput {
  const float* values = nullptr;         // elementCount values in file order; null when not loaded
  const Unit* unit = nullptr;            // the unit the values are in; null counts as the file's
  std::string path;                      // where it was read from
  std::string name;                      // how the user knows the file ("vp.txt")
  const TextGridLines* lines = nullptr;  // how its lines go; null when not known
  // The line of a Ctrl-Z that ended the text before more of it; 0: none (see TextGridScan).
  std::uint64_t endMarkLine = 0;
};

// The unit of an input's values: the one given, else the grid file's own.
const Unit& UnitOf(PropertyKind kind, const PropertyInput& input);

struct ConversionRequest {
  PerProperty<PropertyInput> inputs;
  // The grid: elementCount, the values each loaded property holds; nxInput, its X size; the
  // first columns and rows to write; the steps in m.
  GridWindow window;
  std::int32_t inputCount = 0;                             // the number of values the user confirms
  std::int32_t nzInput = 0;                                // the Z size the user confirms
  std::string xStepName = "X step", zStepName = "Z step";  // how the user knows the steps
  std::string outputName;  // as shown; holds '*' until an output is chosen
  std::string outputPath;  // where the grid file is written
};

// Which part of the request a refusal is about, for a front end that points at it.
enum class RequestPart { kNone, kInputs, kOutput, kInputCount, kNxWrite, kNzWrite, kXStep, kZStep };

// Every check, in this order, each with the message the user reads:
//   "Open At least one input File"
//   "Open Mvg file for Saving"   (the output name holds '*')
//   "Input and given grid sizes are not equal !\nThe program is not ready for this case. Sorry.
//    Poka"
//   the checks of the sizes to write (below 1, above the input grid)
//   "The X step must be greater than 0."   (Z alike)
//   "The X extent (X size to write - 1) x X step is too large for a grid file."   (Z alike)
//   "<name>, row 1, column 3: 1e+36 km/s is beyond the range of 32-bit floats in m/s."   (a value
//    its unit's factor takes past the largest float)
//   "The grid file would replace the input file <name>. Choose another name."
Status CheckConversionRequest(const ConversionRequest& request, RequestPart* refused = nullptr);

// One step, X or Z (part kXStep or kZStep): "The X step must be greater than 0." when it is not.
Status CheckGridStep(RequestPart part, float step);
