#include "conversion/ConversionRequest.h"

#include <cmath>

#include "grid/GridExport.h"
#include "grid/GridFileHeader.h"
#include "grid/GridSizes.h"
#include "grid/SameFile.h"

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

}  // namespace

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
  if (!(request.xStep > 0.0f)) {
    return Refuse(RequestPart::kXStep, refused, "The X step must be greater than 0.");
  }
  if (!(request.zStep > 0.0f)) {
    return Refuse(RequestPart::kZStep, refused, "The Z step must be greater than 0.");
  }
  if (!ExtentFits(request.nxWrite, request.xStep)) {
    return Refuse(RequestPart::kXStep, refused,
                  "The X extent (X size to write - 1) x X step is too large for a grid file.");
  }
  if (!ExtentFits(request.nzWrite, request.zStep)) {
    return Refuse(RequestPart::kZStep, refused,
                  "The Z extent (Z size to write - 1) x Z step is too large for a grid file.");
  }
  for (const PropertyInput* input : inputs) {
    if (input->values != nullptr && !request.toStandardOutput && !input->path.empty() &&
        IsSameFile(request.outputPath, input->path)) {
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
  return request.toStandardOutput ? ExportGridFileToStandardOutput(source)
                                  : ExportGridFile(source, request.outputPath);
}
