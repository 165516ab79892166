#pragma once
// One conversion as both front ends ask for it: the loaded properties with their units, the
// grid's X size, the window to write, the steps, what to do to the model (holes, rules, new steps,
// a border) and the output. Each front end fills a request from what its user gave; the checks
// and the export are the same for both.

#include <cstdint>
#include <optional>
#include <string>

#include "conversion/ModelPreparation.h"
#include "conversion/Units.h"
#include "grid/GridProperties.h"
#include "grid/KnownFacts.h"
#include "grid/Status.h"
#include "grid/ValueRange.h"
#include "gridfile/GridExport.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"

struct PropertyInput {
  const float* values = nullptr;         // elementCount values in file order; null when not loaded
  const Unit* unit = nullptr;            // the unit the values are in; null counts as the file's
  std::string path;                      // where it was read from; empty: standard input
  std::string name;                      // how the user knows the file ("vp.txt")
  const TextGridLines* lines = nullptr;  // how its lines go; null when not known
  // The line of a Ctrl-Z that ended the text before more of it; 0: none (see TextGridRead).
  std::uint64_t endMarkLine = 0;
  // The least and greatest value, when the reading found them: spares the checks a pass.
  std::optional<ValueRange> range = std::nullopt;
  // What marks the holes its form declares ("nodata_value -9999"; TextGridForm::holeMarker):
  // holes that cannot go into a model; empty when the form declares none.
  std::string holes = {};
  // What its form states of the grid (an ESRI or Surfer header, triplets); null: nothing.
  const TextGridForm* form = nullptr;
};

// The unit of an input's values: the one given, else the grid file's own.
const Unit& UnitOf(PropertyKind kind, const PropertyInput& input);

// How a front end names what its user gives, for the findings that ask for it; empty: not
// offered.
struct ChoiceNames {
  std::string xSize = "the X size";              // mvgtool: "--nx"
  std::string skipColumns = "Skip columns 1";    // mvgtool: "--skip-columns 1"
  std::string skipRows = "Skip rows 1";          // mvgtool: "--skip-rows 1"
  std::string columns = "\"Column by column\"";  // mvgtool: "--order columns"
  std::string flipZ = "\"Rows bottom up\"";      // mvgtool: "--flip-z"
  std::string coordinatesKm;                     // mvgtool: "--coordinates km"
};

struct ConversionRequest {
  PerProperty<PropertyInput> inputs;
  // The grid: elementCount, the values each loaded property holds; nxInput, its X size; the
  // window to write (its sizes and first node); the steps in m.
  GridWindow window;
  // Holes filled, properties derived, new steps, a border; nothing by default.
  ModelPreparation preparation;
  // How the files held the grid: one stored column by column has a column on each of its lines.
  ValueOrder order = ValueOrder::kRows;
  // How the X size (window.nxInput) is known: the user's choice, unless the front end took it
  // from a file (TextGridForm::facts): stated, shown by its lines, or a guess, which is a finding.
  KnownFact xSizeKnown = {HowKnown::kGiven, {}};
  ChoiceNames choiceNames;
  std::int32_t inputCount = 0;                             // the number of values the user confirms
  std::int32_t nzInput = 0;                                // the Z size the user confirms
  std::string xStepName = "X step", zStepName = "Z step";  // how the user knows the steps
  std::string outputName;         // as shown; holds '*' until an output is chosen
  std::string outputPath;         // where the grid file is written
  bool toStandardOutput = false;  // instead: written to standard output, as a stream
  // The grid file begun while its one property was read, finished when it holds the data block.
  GridFileDraft* draft = nullptr;
};

// Which part of the request a refusal is about, for a front end that points at it.
enum class RequestPart {
  kNone,
  kInputs,
  kOutput,
  kInputCount,
  kNxWrite,
  kNzWrite,
  kXStep,
  kZStep,
  kXFrom,
  kZFrom,
  kDensitySource,
  kVsSource,
  kWater,
  kHoles,
  kNewXStep,
  kNewZStep,
  kBorder,
};

// The choice by name that sets a part, for a front end that names its choices ("dx" for
// kXStep, "resample" for kNewXStep); "" for a part no one choice sets.
const char* ChoiceNameOf(RequestPart part);

// Every check, in this order, each with the message the user reads:
//   "Open At least one input File"
//   "Open Mvg file for Saving"   (the output name holds '*')
//   "Input and given grid sizes are not equal !\nThe program is not ready for this case. Sorry.
//    Poka"
//   the checks of the sizes to write (below 1, above the input grid)
//   "The window's first X node, -1, is before the grid's first, 0."   (Z alike)
//   "The window's X nodes 400 to 599 leave the grid, whose last X node is 499."   (Z alike)
//   "The X step must be greater than 0."   (Z alike)
//   the checks of the preparation (CheckModelPreparation)
//   "vp.asc holds 12 holes (nodata_value -9999), the first at row 3, column 5: a model cannot
//    have holes; fill them."   (a form's declared holes, not filled)
//   "The X extent (X size to write - 1) x X step is too large for a grid file."   (Z alike; of
//    the grid written, after new steps and a border)
//   "<name>, row 1, column 3: 1e+36 km/s is beyond the range of 32-bit floats in m/s."   (a value
//    its unit's factor takes past the largest float)
//   "The grid file would replace the input file <name>. Choose another name."
//   "The grid file m.mvg would hold 200001 x 100001 nodes of 3 properties, 60000900003 values in
//    240003600308 bytes: more than the 52000000000 bytes free where it goes."   (told before any
//    of it is made)
Status CheckConversionRequest(const ConversionRequest& request, RequestPart* refused = nullptr);

// The checks of the model a request makes, CheckConversionRequest's from the sizes to write to the
// values beyond the range of floats, in its order: what a request must pass to be prepared
// (PreparedRows), whether or not it has an output to write to.
Status CheckModelRequest(const ConversionRequest& request, RequestPart* refused = nullptr);

// A grid file's name as a front end takes it from its user: refused when it holds '*', which
// marks that no output is chosen yet: "m*.mvg: a grid file name cannot hold \"*\"".
Status CheckOutputName(const std::string& output);

// One step, X or Z (part kXStep or kZStep): "The X step must be greater than 0." when it is not.
Status CheckGridStep(RequestPart part, float step);

// The window along X (part kXFrom) or Z (kZFrom): `size` nodes from node `from` (numbered from 0)
// of the grid's `nodes`, refused as CheckConversionRequest refuses it:
//   "The window's first X node, -1, is before the grid's first, 0."
//   "The window's X nodes 400 to 599 leave the grid, whose last X node is 499."
Status CheckWindowAxis(RequestPart part, std::int32_t from, std::int32_t size, std::int64_t nodes);

// The checks of request.preparation, in this order, each with the part it is about:
//   "Vp is read from its file: it has no rule."
//   "Density is given both as a file and as a rule: choose one."   (Vs alike)
//   "Density by Gardner's relation needs Vp: load the Vp grid too."   (each rule alike)
//   "Vs = Vp / 0.9 puts Vs at or above Vp: the ratio must be greater than 1."
//   "The water's Vp, -1 m/s, must be 0 or more."   (with a rule)
//   "The water's density, 0 kg/m3, must be greater than 0."
//   "Holes cannot be filled with -999.25: it is a no-data marker itself."
//   "<name>: holes cannot be filled with 1e+36 km/s: it is beyond the range of 32-bit floats in
//    m/s."
//   "<name> holds no-data markers alone: no node is left to fill its holes from."
//   "The new X step must be greater than 0."   (Z alike)
//   "The border's left side, -1 nodes, must be 0 nodes or more."
//   "The grid to write, 2147483649 x 174 nodes, is more than a grid file holds (2147483647 nodes
//    along an axis)."   (after new steps and a border)
//   "The grid to write, N x M nodes, is more than any file holds."
Status CheckModelPreparation(const ConversionRequest& request, RequestPart* refused = nullptr);
