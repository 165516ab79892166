#include "conversion/ConversionRequest.h"

#include <algorithm>
#include <cmath>

#include "conversion/NoDataFindings.h"
#include "conversion/PreparedShape.h"
#include "grid/NumberText.h"
#include "grid/ValueRange.h"
#include "gridfile/GridFileHeader.h"
#include "system/FreeSpace.h"
#include "system/OutputTarget.h"
#include "system/SameFile.h"
#include "textgrid/GridSizes.h"

namespace {

Status Refuse(RequestPart part, RequestPart* refused, const std::string& message) {
  if (refused != nullptr) *refused = part;
  return Status::Error(message);
}

// The extent as the header holds it must be a finite float.
bool ExtentFits(std::int64_t sizeToWrite, float step) {
  return std::isfinite(GridExtent(static_cast<std::int32_t>(sizeToWrite), step));
}

// Every value times its unit's factor, as the export makes it, is a finite float: "1e36" in km/s
// is not, in m/s. The refusal names the first one that is not. Holes to be filled are passed
// over: the fill takes their place before the factor.
Status ValueBeyondFloats(PropertyKind kind, const PropertyInput& input, std::uint32_t count,
                         std::int32_t nxInput, bool holesFilled) {
  const Unit& unit = UnitOf(kind, input);
  const float factor = unit.factor;
  if (factor == 1.0f) return Status();  // a text grid holds finite floats alone
  const ValueRange range = holesFilled   ? TakeCensus(input.values, count, input.range).range
                           : input.range ? *input.range
                                         : FindValueRange(input.values, count);
  if (std::isfinite(range.minimum * factor) && std::isfinite(range.maximum * factor)) {
    return Status();
  }
  const auto beyond = [factor, holesFilled](float value) {
    return !std::isfinite(value * factor) && !(holesFilled && IsNoDataMarker(value));
  };
  std::uint32_t i = 0;
  while (i < count && !beyond(input.values[i])) ++i;
  if (i == count) return Status();
  const std::uint32_t nx = static_cast<std::uint32_t>(std::max(nxInput, 1));
  return Status::Error(input.name + ", row " + std::to_string(i / nx + 1) + ", column " +
                       std::to_string(i % nx + 1) + ": " + FormatShortest(input.values[i]) + " " +
                       unit.name + " is beyond the range of 32-bit floats in " +
                       PropertyOf(kind).unit + ".");
}

// The holes a form declares cannot go into a model: refused with their count and the first.
Status HolesRefused(const PropertyInput& input, std::uint32_t count, std::int32_t nxInput) {
  const ValueCensus census = TakeCensus(input.values, count, input.range);
  if (census.markers == 0) return Status();
  const std::uint64_t nx = static_cast<std::uint64_t>(std::max(nxInput, 1));
  return Status::Error(
      input.name + " holds " + FormatInteger(static_cast<std::int64_t>(census.markers)) +
      (census.markers == 1 ? " hole (" : " holes (") + input.holes + "), the first at row " +
      FormatInteger(static_cast<std::int64_t>(census.firstMarker / nx + 1)) + ", column " +
      FormatInteger(static_cast<std::int64_t>(census.firstMarker % nx + 1)) +
      ": a model cannot have holes; fill them.");
}

// A grid file larger than the room left where it goes is refused before any of it is made. A
// draft (a plain window of one file) is written while it is read: it took its room already.
Status RoomRefused(const ConversionRequest& request) {
  if (request.toStandardOutput || request.draft != nullptr ||
      FindOutputTarget(request.outputPath).stream) {
    return Status();
  }
  std::uint64_t free = 0;
  if (!FreeBytesWhere(request.outputPath, &free)) return Status();
  const WrittenGrid written = WrittenGridOf(request);
  const std::uint64_t properties = written.properties;
  const std::uint64_t values = (written.bytes - kGridFileHeaderSize) / 4;
  const std::uint64_t bytes = written.bytes;
  if (bytes <= free) return Status();
  const auto integer = [](std::uint64_t n) { return FormatInteger(static_cast<std::int64_t>(n)); };
  return Status::Error(
      "The grid file " + request.outputName + " would hold " + FormatInteger(written.nx) + " x " +
      FormatInteger(written.nz) + " nodes of " + integer(properties) +
      (properties == 1 ? " property, " : " properties, ") + integer(values) + " values in " +
      integer(bytes) + " bytes: more than the " + integer(free) + " bytes free where it goes.");
}

}  // namespace

const char* ChoiceNameOf(RequestPart part) {
  switch (part) {
    case RequestPart::kNxWrite:
      return "nx-write";
    case RequestPart::kNzWrite:
      return "nz-write";
    case RequestPart::kXStep:
      return "dx";
    case RequestPart::kZStep:
      return "dz";
    case RequestPart::kXFrom:
      return "x-from";
    case RequestPart::kZFrom:
      return "z-from";
    case RequestPart::kVsSource:
      return "vs";
    case RequestPart::kHoles:
      return "fill-holes";
    case RequestPart::kNewXStep:
    case RequestPart::kNewZStep:
      return "resample";
    case RequestPart::kBorder:
      return "pad";
    default:
      return "";
  }
}

Status CheckOutputName(const std::string& output) {
  if (output.find('*') == std::string::npos) return Status();
  return Status::Error(output + ": a grid file name cannot hold \"*\"");
}

Status CheckGridStep(RequestPart part, float step) {
  if (step > 0.0f) return {};
  return Status::Error(std::string("The ") + (part == RequestPart::kZStep ? "Z" : "X") +
                       " step must be greater than 0.");
}

Status CheckWindowAxis(RequestPart part, std::int32_t from, std::int32_t size, std::int64_t nodes) {
  const std::string name = part == RequestPart::kZFrom ? "Z" : "X";
  if (from < 0) {
    return Status::Error("The window's first " + name + " node, " + std::to_string(from) +
                         ", is before the grid's first, 0.");
  }
  if (from + static_cast<std::int64_t>(size) > nodes) {
    return Status::Error("The window's " + name + " nodes " + std::to_string(from) + " to " +
                         std::to_string(from + static_cast<std::int64_t>(size) - 1) +
                         " leave the grid, whose last " + name + " node is " +
                         std::to_string(nodes - 1) + ".");
  }
  return Status();
}

const Unit& UnitOf(PropertyKind kind, const PropertyInput& input) {
  return input.unit != nullptr ? *input.unit : FileUnitOf(kind);
}

Status CheckModelRequest(const ConversionRequest& request, RequestPart* refused) {
  if (refused != nullptr) *refused = RequestPart::kNone;
  const GridWindow& window = request.window;
  const Status nx = CheckNxWrite(window.nxWrite, window.nxInput);
  if (!nx.ok()) return Refuse(RequestPart::kNxWrite, refused, nx.message());
  const Status nz =
      CheckNzWrite(window.nzWrite, request.nzInput, window.elementCount, window.nxInput);
  if (!nz.ok()) return Refuse(RequestPart::kNzWrite, refused, nz.message());
  const std::int64_t rows = std::min<std::int64_t>(
      request.nzInput, window.elementCount / static_cast<std::uint32_t>(window.nxInput));
  const Status xFrom =
      CheckWindowAxis(RequestPart::kXFrom, window.xFrom, window.nxWrite, window.nxInput);
  if (!xFrom.ok()) return Refuse(RequestPart::kXFrom, refused, xFrom.message());
  const Status zFrom = CheckWindowAxis(RequestPart::kZFrom, window.zFrom, window.nzWrite, rows);
  if (!zFrom.ok()) return Refuse(RequestPart::kZFrom, refused, zFrom.message());
  for (const auto& [part, step] : {std::pair{RequestPart::kXStep, window.xStep},
                                   std::pair{RequestPart::kZStep, window.zStep}}) {
    const Status checked = CheckGridStep(part, step);
    if (!checked.ok()) return Refuse(part, refused, checked.message());
  }
  const Status prepared = CheckModelPreparation(request, refused);
  if (!prepared.ok()) return prepared;
  for (const GridProperty& property : kGridProperties) {
    const PropertyInput& input = request.inputs[property.kind];
    if (input.values == nullptr || input.holes.empty() ||
        request.preparation.sources[property.kind].fill.how != HoleFilling::kNone) {
      continue;
    }
    const Status holes = HolesRefused(input, window.elementCount, window.nxInput);
    if (!holes.ok()) return Refuse(RequestPart::kHoles, refused, holes.message());
  }
  const PreparedShape shape = PreparedShapeOf(request);
  if (!ExtentFits(shape.nx, shape.xStep)) {
    return Refuse(RequestPart::kXStep, refused,
                  "The X extent (X size to write - 1) x X step is too large for a grid file.");
  }
  if (!ExtentFits(shape.nz, shape.zStep)) {
    return Refuse(RequestPart::kZStep, refused,
                  "The Z extent (Z size to write - 1) x Z step is too large for a grid file.");
  }
  for (const GridProperty& property : kGridProperties) {
    const PropertyInput& input = request.inputs[property.kind];
    if (input.values == nullptr) continue;
    const bool filled = request.preparation.sources[property.kind].fill.how != HoleFilling::kNone;
    const Status beyond =
        ValueBeyondFloats(property.kind, input, window.elementCount, window.nxInput, filled);
    if (!beyond.ok()) return Refuse(RequestPart::kInputs, refused, beyond.message());
  }
  return Status();
}

Status CheckConversionRequest(const ConversionRequest& request, RequestPart* refused) {
  if (refused != nullptr) *refused = RequestPart::kNone;
  bool anyLoaded = false;
  for (const PropertyInput& input : request.inputs.each) {
    anyLoaded = anyLoaded || input.values != nullptr;
  }
  if (!anyLoaded) return Refuse(RequestPart::kInputs, refused, "Open At least one input File");
  if (request.outputName.find('*') != std::string::npos) {
    return Refuse(RequestPart::kOutput, refused, "Open Mvg file for Saving");
  }
  const GridWindow& window = request.window;
  if (request.inputCount < 0 ||
      static_cast<std::uint32_t>(request.inputCount) != window.elementCount) {
    return Refuse(RequestPart::kInputCount, refused,
                  "Input and given grid sizes are not equal !\n"
                  "The program is not ready for this case. Sorry. Poka");
  }
  const Status model = CheckModelRequest(request, refused);
  if (!model.ok()) return model;
  for (const PropertyInput& input : request.inputs.each) {
    if (input.values != nullptr && !request.toStandardOutput && !input.path.empty() &&
        IsSameFile(request.outputPath, input.path)) {
      return Refuse(
          RequestPart::kOutput, refused,
          "The grid file would replace the input file " + input.name + ". Choose another name.");
    }
  }
  const Status room = RoomRefused(request);
  if (!room.ok()) return Refuse(RequestPart::kOutput, refused, room.message());
  return Status();
}
