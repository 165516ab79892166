#include "conversion/XSizeFindings.h"

#include <cstdlib>

#include "grid/NumberText.h"

namespace {

std::string Integer(std::uint64_t value) { return FormatInteger(static_cast<std::int64_t>(value)); }

}  // namespace

std::string MovedBreakFinding(const std::string& name, const TextGridLines& lines) {
  const std::vector<LineRun>& runs = lines.runs;
  if (lines.tooManyRuns || runs.size() < 3 || runs.size() > 4) return {};
  // Two single lines from `at` on, which between them hold twice what the run `alike` holds on
  // each of its lines.
  const auto moved = [&runs](std::size_t at, std::size_t alike) {
    return runs[at].lines == 1 && runs[at + 1].lines == 1 &&
           runs[at].values + runs[at + 1].values == 2 * runs[alike].values;
  };
  std::size_t at = 0;
  if (runs.size() == 4 ? runs[0].values == runs[3].values && moved(1, 0) : moved(1, 0)) {
    at = 1;  // lines alike before them (and after)
  } else if (!(runs.size() == 3 && moved(0, 2))) {
    return {};
  }
  const std::uint64_t first = runs[at].values, second = runs[at + 1].values;
  const std::uint64_t alike = (first + second) / 2;
  const std::uint64_t firstLine = at == 1 ? lines.differingLine : lines.firstLine;
  const std::uint64_t secondLine = at == 1 ? lines.afterDifferingLine : lines.secondLine;
  const std::uint64_t count = first > alike ? first - alike : alike - first;
  return name + ": line " + Integer(firstLine) + " holds " + Integer(first) + " values and line " +
         Integer(secondLine) + " holds " + Integer(second) + ": " +
         (count == 1 ? "a value" : Integer(count) + " values") + " moved between lines?";
}

std::string RowsOnEachLineFinding(const std::string& name, const TextGridLines& lines,
                                  std::int64_t length, ValueOrder order) {
  const std::uint64_t onLine = lines.firstCount;
  if (length <= 0 || !lines.AllLinesAlike() || onLine <= static_cast<std::uint64_t>(length) ||
      onLine % static_cast<std::uint64_t>(length) != 0) {
    return {};
  }
  const std::string rows = order == ValueOrder::kColumns ? "columns" : "rows";
  return name + ": " + rows + " of " + FormatInteger(length) + " put " +
         Integer(onLine / static_cast<std::uint64_t>(length)) + " " + rows + " on each of its " +
         DescribeLines(lines) + ": is the " + (order == ValueOrder::kColumns ? "Z" : "X") +
         " size " + Integer(onLine) + "?";
}

bool LinesRunOnOverRows(const TextGridLines& lines, std::int64_t length) {
  const std::vector<LineRun>& runs = lines.runs;
  if (lines.tooManyRuns || runs.empty() || runs.size() > 2 || length <= 0) return false;
  const LineRun& full = runs[0];
  if (full.values >= static_cast<std::uint64_t>(length)) return false;
  return runs.size() == 1 || (runs[1].lines == 1 && runs[1].values < full.values);
}

std::string GuessedXSizeFinding(const std::string& name, const TextGridLines& lines,
                                std::uint32_t count, std::int32_t nx,
                                const std::string& xSizeName) {
  const std::string guess =
      " say nothing of the X size; nx " + FormatInteger(nx) + " is a guess: give " + xSizeName;
  const std::string values = Integer(count) + " values";
  if (lines.linesWithValues == 1) return name + ": " + values + " on one line" + guess;
  if (lines.AllLinesAlike() && lines.firstCount == 1) {
    return name + ": " + values + ", one a line," + guess;
  }
  const std::string moved = MovedBreakFinding(name, lines);
  if (!moved.empty()) return moved;
  // One line off lines that are otherwise alike: a value missing or one too many there.
  const std::vector<LineRun>& runs = lines.runs;
  if (!lines.tooManyRuns && runs.size() == 3 && runs[1].lines == 1 &&
      runs[0].values == runs[2].values) {
    return name + ": " + DescribeLines(lines) +
           ": no X size follows from these lines; is a value missing or one too many on line " +
           Integer(lines.differingLine) + "?";
  }
  return name + ": its lines (" + DescribeLines(lines) + ")" + guess;
}
