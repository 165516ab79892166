#include "textgrid/LeadingValues.h"

#include <cstring>

Status LeaveOutLeadingValues(float* values, std::uint64_t* count, TextGridLines& lines,
                             std::uint64_t skip, const std::string& row, const std::string& name) {
  if (skip == 0) return Status();
  const std::string first =
      skip == 1 ? "the first value" : "the first " + std::to_string(skip) + " values";
  if (!lines.AllLinesAlike()) {
    return Status::Error(name + ": " + first + " of each " + row +
                         " can be left out only where every line holds one " + row +
                         ", and its lines do not (" + DescribeLines(lines) + ")");
  }
  const std::uint64_t width = lines.firstCount;
  if (width <= skip) {
    return Status::Error(name + ": its lines hold " + std::to_string(width) +
                         (width == 1 ? " value" : " values") + ": leaving out " + first +
                         " of every line leaves none");
  }
  const std::uint64_t kept = width - skip;
  for (std::uint64_t line = 0; line < lines.linesWithValues; ++line) {
    std::memmove(values + line * kept, values + line * width + skip, kept * sizeof(float));
  }
  *count = kept * lines.linesWithValues;
  lines.firstCount = kept;
  lines.lengthDivisor = kept;
  for (LineRun& run : lines.runs) run.values = kept;
  return Status();
}
