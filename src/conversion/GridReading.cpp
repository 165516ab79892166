#include "conversion/GridReading.h"

#include "conversion/ConversionRequest.h"
#include "conversion/Findings.h"
#include "conversion/LoadedGrid.h"
#include "conversion/PropertyLoad.h"
#include "conversion/ReadingChoices.h"
#include "conversion/XSizeChoice.h"

namespace {

GridReading Refused(GridReading reading, Status status) {
  reading.status = std::move(status);
  reading.read.values = FloatArray();
  return reading;
}

}  // namespace

std::vector<OptionRule> GridReadingOptionRules() {
  std::vector<OptionRule> rules = ReadingOptionRules();
  rules.push_back({"nx", 0, true});
  return rules;
}

Status TakeGridReadingOptions(const NamedChoices& named, GridReadingChoices& choices) {
  const Status nx = TakeWholeNumber(named, "nx", choices.hasNx, choices.nx);
  if (!nx.ok()) return nx;
  return TakeReadingOptions(named, choices.reading);
}

GridReading ReadGrid(const std::string& path, const std::string& name,
                     const GridReadingChoices& choices, const NamedChoices& named,
                     const ReadProgress& progress, bool withFindings) {
  GridReading reading;
  reading.read = ReadGridInput(path, name, true, progress, choices.reading);
  TextGridRead& read = reading.read;
  if (!read.ok()) {
    return Refused(std::move(reading),
                   Status::Error(WithReadingOption(read.status.message(), read.commasUndecided,
                                                   read.tripletsTold, named, read.rawUndecided)));
  }
  const std::uint32_t count = read.summary.count;
  const TextGridForm& form = read.form;
  const XSizeChoice x =
      ChooseXSize(count, read.lines, name, choices.hasNx, choices.nx, form, named);
  if (!x.status.ok()) return Refused(std::move(reading), x.status);
  const Status arranged =
      ArrangeValues(read.values.data(), count, form, name, x.nx, choices.reading);
  if (!arranged.ok()) return Refused(std::move(reading), arranged);
  reading.nx = x.nx;
  reading.nz = static_cast<std::int32_t>(count / static_cast<std::uint32_t>(x.nx));
  reading.nxSaid = x.said;
  reading.xSizeKnown = x.known;
  if (!withFindings) return reading;

  ConversionRequest request;
  request.inputs[PropertyKind::kVp] = {read.values.data(),
                                       nullptr,
                                       path == kStandardInput ? "" : path,
                                       name,
                                       LinesHoldRows(form) ? &read.lines : nullptr,
                                       read.endMarkLine,
                                       RangeOfValues(read.summary),
                                       form.holes > 0 ? form.holeMarker : "",
                                       &form};
  request.window.elementCount = count;
  request.window.nxInput = x.nx;
  request.order = choices.reading.order;
  request.xSizeKnown = x.known;
  request.choiceNames = ReadingChoiceNames(named);
  reading.findings = GridFindingsOf(request);
  return reading;
}
