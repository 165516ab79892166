#pragma once
// One conversion as both front ends ask for it: the loaded properties with their units, the
// grid's X size, the window to write, the steps and the output. Each front end fills a request
// from what its user gave; the checks and the export are the same for both.

#include <cstdint>
#include <optional>
#include <string>

#include "conversion/Units.h"
#include "grid/Status.h"
#include "grid/TextGridLines.h"
#include "grid/ValueRange.h"

struct PropertyInput {
  const float* values = nullptr;         // elementCount values in file order; null when not loaded
  const Unit* unit = nullptr;            // the unit the values are in; null counts as the default
  std::string path;                      // where it was read from; empty: standard input
  std::string name;                      // how the user knows the file ("vp.txt")
  const TextGridLines* lines = nullptr;  // how its lines go; null when not known
  // The least and greatest value, when the reading found them: spares the checks a pass.
  std::optional<ValueRange> range = std::nullopt;
};

struct ConversionRequest {
  PropertyInput vp, density, vs;
  std::uint32_t elementCount = 0;  // values each loaded property holds
  std::int32_t inputCount = 0;     // the number of values the user confirms
  std::int32_t nxInput = 0, nzInput = 0;
  std::int32_t nxWrite = 0, nzWrite = 0;
  float xStep = 1.0f, zStep = 1.0f;                        // in m
  std::string xStepName = "X step", zStepName = "Z step";  // how the user knows them
  std::string outputName;         // as shown; holds '*' until an output is chosen
  std::string outputPath;         // where the grid file is written
  bool toStandardOutput = false;  // instead: written to standard output, as a stream
};

// Which part of the request a refusal is about, for a front end that points at it.
enum class RequestPart { kNone, kInputs, kOutput, kInputCount, kNxWrite, kNzWrite, kXStep, kZStep };

// Every check, in this order, each with the message the user reads:
//   "Open At least one input File"
//   "Open Mvg file for Saving" (the output name holds '*')
//   "Input and given grid sizes are not equal !\nThe program is not ready for this case. Sorry.
//   Poka" the checks of the sizes to write (below 1, above the input grid) "The X step must be
//   greater than 0." (Z alike) "The X extent (X size to write - 1) x X step is too large for a grid
//   file." (Z alike) "The grid file would replace the input file <name>. Choose another name."
Status CheckConversionRequest(const ConversionRequest& request, RequestPart* refused = nullptr);

// Writes the grid file of a request that passed the checks (units applied, the window cut).
Status WriteGridFile(const ConversionRequest& request);
