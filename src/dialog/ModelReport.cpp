#include "dialog/ModelReport.h"

#include "conversion/Conversion.h"
#include "conversion/PreparationSummary.h"
#include "conversion/StabilityReport.h"

namespace {

std::vector<std::string> Refused(const Status& refusal) {
  if (refusal.message().empty()) return {};
  return {"OK would refuse this: " + refusal.message()};
}

}  // namespace

std::vector<std::string> ModelReportLines(const Status& built, const ConversionRequest& request) {
  if (!built.ok()) return Refused(built);
  // The output is OK's to check, once one is chosen.
  const Status checked = CheckModelRequest(request);
  if (!checked.ok()) return Refused(checked);
  std::vector<std::string> lines = PreparationSummary(request);
  const std::vector<std::string> stability = StabilityLines(StabilityOfRequest(request));
  if (!lines.empty() && !stability.empty()) lines.emplace_back();
  // The figures under their heading, as mvgtool prints them.
  for (std::size_t i = 0; i < stability.size(); ++i) {
    lines.push_back((i == 0 ? "" : "  ") + stability[i]);
  }
  return lines;
}
