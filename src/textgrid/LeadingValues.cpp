#include "textgrid/LeadingValues.h"

#include <cstring>
#include <numeric>

Status LeaveOutLeadingValues(float* values, std::uint64_t* count, TextGridLines& lines,
                             std::uint64_t skip, const std::string& name) {
  if (skip == 0) return Status();
  if (lines.tooManyRuns) {
    return Status::Error(name + ": its lines change their number of values more than " +
                         std::to_string(kMaxLineRuns) +
                         " times: the first values of each cannot be left out");
  }
  for (const LineRun& run : lines.runs) {
    if (run.values <= skip) {
      return Status::Error(name + ": some of its lines hold " + std::to_string(run.values) +
                           (run.values == 1 ? " value" : " values") + ": leaving out the first " +
                           std::to_string(skip) + " of every line leaves none of them");
    }
  }
  std::uint64_t from = 0, to = 0;
  for (LineRun& run : lines.runs) {
    const std::uint64_t kept = run.values - skip;
    for (std::uint64_t line = 0; line < run.lines; ++line) {
      std::memmove(values + to, values + from + skip, kept * sizeof(float));
      from += run.values;
      to += kept;
    }
    run.values = kept;
  }
  *count = to;
  lines.firstCount -= skip;
  if (lines.differingLine != 0) lines.differingCount -= skip;
  lines.lengthDivisor = 0;
  for (const LineRun& run : lines.runs) {
    lines.lengthDivisor = std::gcd(lines.lengthDivisor, run.values);
  }
  return Status();
}
