#include "conversion/Findings.h"

#include <algorithm>
#include <utility>

#include "conversion/NoDataFindings.h"
#include "conversion/ShapeFindings.h"
#include "conversion/UnitFindings.h"

namespace {

class FindingList {
 public:
  void Add(std::string finding) {
    if (finding.empty() || std::find(list_.begin(), list_.end(), finding) != list_.end()) return;
    list_.push_back(std::move(finding));
  }
  std::vector<std::string> Take() { return std::move(list_); }

 private:
  std::vector<std::string> list_;
};

struct LoadedInput {
  PropertyKind kind;
  const PropertyInput* input;
  ValueCensus census;
};

}  // namespace

std::vector<std::string> FindingsOf(const ConversionRequest& request) {
  std::vector<LoadedInput> loaded;
  for (const auto& [kind, input] : {std::pair{PropertyKind::kVp, &request.vp},
                                    std::pair{PropertyKind::kDensity, &request.density},
                                    std::pair{PropertyKind::kVs, &request.vs}}) {
    if (input->values != nullptr && request.elementCount > 0) {
      loaded.push_back(
          {kind, input, TakeCensus(input->values, request.elementCount, input->range)});
    }
  }
  // The rows the values hold, whatever Z size the user typed.
  const std::int32_t nx = request.nxInput;
  const std::int32_t rows =
      nx > 0 ? static_cast<std::int32_t>(request.elementCount / static_cast<std::uint32_t>(nx)) : 0;

  FindingList findings;
  for (const LoadedInput& each : loaded) {
    if (each.input->lines != nullptr) {
      findings.Add(LinesFinding(each.input->name, *each.input->lines, request.elementCount, nx));
    }
  }
  findings.Add(DeepGridFinding(nx, rows));
  for (const LoadedInput& each : loaded) {
    findings.Add(ColumnByColumnFinding(*each.input, nx, rows, each.census.markers > 0));
  }
  for (const LoadedInput& each : loaded) findings.Add(NoDataFinding(*each.input, each.census, nx));
  for (const LoadedInput& each : loaded) {
    findings.Add(RangeFinding(each.kind, *each.input, each.census.range));
  }
  if (request.vp.values != nullptr && request.vs.values != nullptr) {
    findings.Add(ShearAboveCompressional(request));
  }
  findings.Add(StepFinding(request.xStepName, request.xStep));
  findings.Add(StepFinding(request.zStepName, request.zStep));
  return findings.Take();
}
