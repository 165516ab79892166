#include "conversion/ConversionRequest.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "grid/GridExport.h"
#include "grid/GridFileHeader.h"
#include "grid/GridSizes.h"
#include "grid/NumberText.h"
#include "grid/SameFile.h"
#include "grid/ValueRange.h"

namespace {

Status Refuse(RequestPart part, RequestPart* refused, const std::string& message) {
  if (refused != nullptr) *refused = part;
  return Status::Error(message);
}

// The extent as the header holds it must be a finite float.
bool ExtentFits(std::int32_t sizeToWrite, float step) {
  return std::isfinite(GridExtent(sizeToWrite, step));
}

ExportProperty ExportOf(const PropertyInput& input) {
  return ExportProperty{input.values, input.unit != nullptr ? input.unit->factor : 1.0f};
}

// Every value times its unit's factor, as the export makes it, is a finite float: "1e36" in km/s
// is not, in m/s. Returns the refusal naming the first one that is not, "" when all are.
std::string ValueBeyondFloats(PropertyKind kind, const PropertyInput& input, std::uint32_t count,
                              std::int32_t nxInput) {
  const float factor = ExportOf(input).factor;
  if (factor == 1.0f) return {};  // a text grid holds finite floats alone
  const ValueRange range = FindValueRange(input.values, count);
  if (std::isfinite(range.minimum * factor) && std::isfinite(range.maximum * factor)) return {};
  std::uint32_t i = 0;
  while (i < count && std::isfinite(input.values[i] * factor)) ++i;
  if (i == count) return {};
  const std::uint32_t nx = static_cast<std::uint32_t>(std::max(nxInput, 1));
  const char* const metric = ListedUnits(kind).front()->name;
  return input.name + ", row " + std::to_string(i / nx + 1) + ", column " +
         std::to_string(i % nx + 1) + ": " + FormatShortest(input.values[i]) + " " +
         (input.unit != nullptr ? input.unit->name : metric) +
         " is beyond the range of 32-bit floats in " + metric + ".";
}

}  // namespace

Status CheckGridStep(RequestPart part, float step) {
  if (step > 0.0f) return {};
  return Status::Error(std::string("The ") + (part == RequestPart::kZStep ? "Z" : "X") +
                       " step must be greater than 0.");
}

Status CheckConversionRequest(const ConversionRequest& request, RequestPart* refused) {
  if (refused != nullptr) *refused = RequestPart::kNone;
  const PropertyInput* const inputs[] = {&request.vp, &request.density, &request.vs};
  bool anyLoaded = false;
  for (const PropertyInput* input : inputs) anyLoaded = anyLoaded || input->values != nullptr;
  if (!anyLoaded) return Refuse(RequestPart::kInputs, refused, "Open At least one input File");
  if (request.outputName.find('*') != std::string::npos) {
    return Refuse(RequestPart::kOutput, refused, "Open Mvg file for Saving");
  }
  if (request.inputCount < 0 ||
      static_cast<std::uint32_t>(request.inputCount) != request.elementCount) {
    return Refuse(RequestPart::kInputCount, refused,
                  "Input and given grid sizes are not equal !\n"
                  "The program is not ready for this case. Sorry. Poka");
  }
  const Status nx = CheckNxWrite(request.nxWrite, request.nxInput);
  if (!nx.ok()) return Refuse(RequestPart::kNxWrite, refused, nx.message());
  const Status nz =
      CheckNzWrite(request.nzWrite, request.nzInput, request.elementCount, request.nxInput);
  if (!nz.ok()) return Refuse(RequestPart::kNzWrite, refused, nz.message());
  for (const auto& [part, step] : {std::pair{RequestPart::kXStep, request.xStep},
                                   std::pair{RequestPart::kZStep, request.zStep}}) {
    const Status checked = CheckGridStep(part, step);
    if (!checked.ok()) return Refuse(part, refused, checked.message());
  }
  if (!ExtentFits(request.nxWrite, request.xStep)) {
    return Refuse(RequestPart::kXStep, refused,
                  "The X extent (X size to write - 1) x X step is too large for a grid file.");
  }
  if (!ExtentFits(request.nzWrite, request.zStep)) {
    return Refuse(RequestPart::kZStep, refused,
                  "The Z extent (Z size to write - 1) x Z step is too large for a grid file.");
  }
  const std::pair<PropertyKind, const PropertyInput*> kinds[] = {
      {PropertyKind::kVp, &request.vp},
      {PropertyKind::kDensity, &request.density},
      {PropertyKind::kVs, &request.vs}};
  for (const auto& [kind, input] : kinds) {
    if (input->values == nullptr) continue;
    const std::string beyond =
        ValueBeyondFloats(kind, *input, request.elementCount, request.nxInput);
    if (!beyond.empty()) return Refuse(RequestPart::kInputs, refused, beyond);
  }
  for (const PropertyInput* input : inputs) {
    if (input->values != nullptr && IsSameFile(request.outputPath, input->path)) {
      return Refuse(
          RequestPart::kOutput, refused,
          "The grid file would replace the input file " + input->name + ". Choose another name.");
    }
  }
  return Status();
}

Status WriteGridFile(const ConversionRequest& request) {
  ExportSource source;
  source.vp = ExportOf(request.vp);
  source.density = ExportOf(request.density);
  source.vs = ExportOf(request.vs);
  source.elementCount = request.elementCount;
  source.nxInput = request.nxInput;
  source.nxWrite = request.nxWrite;
  source.nzWrite = request.nzWrite;
  source.xStep = request.xStep;
  source.zStep = request.zStep;
  return ExportGridFile(source, request.outputPath);
}
