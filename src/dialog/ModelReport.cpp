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
  // As if written to a stream: the output is OK's to check, once one is chosen.
  ConversionRequest unwritten = request;
  unwritten.toStandardOutput = true;
  unwritten.outputName = "the grid file";
  const Status checked = CheckConversionRequest(unwritten);
  if (!checked.ok()) return Refused(checked);
  std::vector<std::string> lines = PreparationSummary(unwritten);
  const std::vector<std::string> stability = StabilityLines(StabilityOfRequest(unwritten));
  if (!lines.empty() && !stability.empty()) lines.emplace_back();
  // The figures under their heading, as mvgtool prints them.
  for (std::size_t i = 0; i < stability.size(); ++i) {
    lines.push_back((i == 0 ? "" : "  ") + stability[i]);
  }
  return lines;
}
