#include "textgrid/GridSizes.h"

#include <algorithm>

namespace {

Status Refused(const std::string& message) { return Status::Error(message); }

// Every row end, a multiple of nx, is a line end: within a run the line ends lie one line length
// apart, so two row ends in one run need nx to be a multiple of that length.
bool RowsEndAtLineEnds(std::uint64_t nx, const std::vector<LineRun>& runs) {
  std::uint64_t start = 0, rowEnd = nx;
  for (const LineRun& run : runs) {
    const std::uint64_t end = start + run.values * run.lines;
    if (rowEnd <= end) {
      if ((rowEnd - start) % run.values != 0) return false;
      if (rowEnd + nx <= end && nx % run.values != 0) return false;
      rowEnd += ((end - rowEnd) / nx + 1) * nx;
    }
    start = end;
  }
  return true;
}

}  // namespace

std::uint32_t IntegerSquareRoot(std::uint64_t n) {
  // Bit by bit from the top: exact for every 64-bit n, no floating point involved.
  std::uint64_t root = 0;
  for (int shift = 31; shift >= 0; --shift) {
    const std::uint64_t candidate = root | (std::uint64_t{1} << shift);
    if (candidate * candidate <= n) root = candidate;
  }
  return static_cast<std::uint32_t>(root);
}

std::vector<std::int32_t> XSizeChoices(std::uint32_t count) {
  // Divisors come in pairs d, count / d with d at most the square root; 1 and count itself are
  // never offered (a grid of one column or one row).
  std::vector<std::int32_t> small, large;
  const std::uint32_t root = IntegerSquareRoot(count);
  for (std::uint32_t d = 2; d <= root; ++d) {
    if (count % d != 0) continue;
    small.push_back(static_cast<std::int32_t>(d));
    if (count / d != d) large.push_back(static_cast<std::int32_t>(count / d));
  }
  small.insert(small.end(), large.rbegin(), large.rend());
  return small;
}

bool XSizeFitsLines(std::int64_t nx, const TextGridLines& lines) {
  if (nx <= 0 || lines.linesWithValues == 0) return false;
  const std::uint64_t width = static_cast<std::uint64_t>(nx);
  return lines.lengthDivisor % width == 0 ||
         (!lines.tooManyRuns && RowsEndAtLineEnds(width, lines.runs));
}

std::uint64_t RowLengthShown(const TextGridLines& lines) {
  if (lines.AllLinesAlike()) return lines.firstCount >= 2 ? lines.firstCount : 0;
  // Two runs a row, full lines and then the shorter last one, the same for every row.
  const std::vector<LineRun>& runs = lines.runs;
  if (lines.tooManyRuns || runs.size() < 4 || runs.size() % 2 != 0) return 0;
  const LineRun full = runs[0], last = runs[1];
  if (last.lines != 1 || last.values >= full.values) return 0;
  for (std::size_t i = 2; i < runs.size(); ++i) {
    if (!(runs[i] == (i % 2 == 0 ? full : last))) return 0;
  }
  return full.values * full.lines + last.values;
}

std::string DescribeWrapping(const TextGridLines& lines, ValueOrder order) {
  if (lines.runs.size() < 2) return {};
  const LineRun full = lines.runs[0], last = lines.runs[1];
  return std::string(order == ValueOrder::kColumns ? "each column " : "each row ") +
         (full.lines == 1 ? "a line" : std::to_string(full.lines) + " lines") + " of " +
         std::to_string(full.values) + " values and one of " + std::to_string(last.values);
}

namespace {

int IndexOf(const std::vector<std::int32_t>& choices, std::uint64_t size) {
  const auto found = std::find(choices.begin(), choices.end(), static_cast<std::int64_t>(size));
  return found == choices.end() ? -1 : static_cast<int>(found - choices.begin());
}

// The narrowest rows that end at line ends without a grid far deeper than wide, of lines that
// are not all alike.
int NarrowestWrappedIndex(const std::vector<std::int32_t>& choices, std::uint32_t count,
                          const TextGridLines& lines) {
  if (lines.linesWithValues < 2 || lines.AllLinesAlike() || lines.tooManyRuns) return -1;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const std::uint64_t nx = static_cast<std::uint64_t>(choices[i]);
    if (count / nx < kDeepGridRatio * nx && RowsEndAtLineEnds(nx, lines.runs)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace

int XSizeIndexFromLines(const std::vector<std::int32_t>& choices, std::uint32_t count,
                        const TextGridLines& lines) {
  const std::uint64_t shown = RowLengthShown(lines);
  const int index = shown == 0 ? -1 : IndexOf(choices, shown);
  return index >= 0 ? index : NarrowestWrappedIndex(choices, count, lines);
}

XSizeProposal ProposeXSize(const std::vector<std::int32_t>& choices, std::uint32_t count,
                           const TextGridLines& lines, ValueOrder order) {
  XSizeProposal proposal;
  const bool columns = order == ValueOrder::kColumns;
  // A length of the lines' rows (or columns) and the X size it makes.
  const auto sizeOf = [&](std::uint64_t length) {
    return IndexOf(choices, columns && length != 0 ? count / length : length);
  };
  const std::uint64_t shown = RowLengthShown(lines);
  if (shown != 0 && IndexOf(choices, shown) >= 0) {
    proposal.index = sizeOf(shown);
    const std::string how = lines.AllLinesAlike()
                                ? DescribeLines(lines) + (columns ? ", a column each" : "")
                                : DescribeWrapping(lines, order);
    proposal.fact = {HowKnown::kShown, "the lines (" + how + ")"};
    return proposal;
  }
  const int wrapped = NarrowestWrappedIndex(choices, count, lines);
  if (wrapped >= 0) {
    proposal.index = sizeOf(static_cast<std::uint64_t>(choices[wrapped]));
    proposal.fact = {HowKnown::kGuessed,
                     std::string(columns ? "the shortest columns" : "the narrowest rows") +
                         " that end at line ends (" + DescribeLines(lines) + ")"};
    return proposal;
  }
  const std::int64_t root = IntegerSquareRoot(count);
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i] <= root && (proposal.index < 0 || choices[i] > choices[proposal.index])) {
      proposal.index = static_cast<int>(i);
    }
  }
  const std::string why = lines.linesWithValues == 1 ? "one line"
                          : lines.AllLinesAlike()    ? DescribeLines(lines)
                                                     : "lines of different lengths";
  if (proposal.index >= 0) {
    proposal.fact = {HowKnown::kGuessed, "the largest divisor up to the square root (" + why + ")"};
  }
  return proposal;
}

int ProposedXSizeIndex(const std::vector<std::int32_t>& choices, std::uint32_t count,
                       const TextGridLines& lines, ValueOrder order) {
  return ProposeXSize(choices, count, lines, order).index;
}

Status CheckNxWrite(std::int32_t nxWrite, std::int32_t nxInput) {
  if (nxWrite > nxInput) {
    return Refused("Size nx=" + std::to_string(nxWrite) +
                   " to Write could not be greater then nx=" + std::to_string(nxInput) +
                   " in input file");
  }
  if (nxWrite < 1) {
    return Refused("Size nx=" + std::to_string(nxWrite) + " to Write could not be less then 1");
  }
  return {};
}

Status CheckNzWrite(std::int32_t nzWrite, std::int32_t nzInput, std::uint32_t elementCount,
                    std::int32_t nxInput) {
  if (nzWrite > nzInput) {
    return Refused("Size nz=" + std::to_string(nzWrite) +
                   " to Write could not be greater then nz=" + std::to_string(nzInput) +
                   " in input file");
  }
  if (nzWrite < 1) {
    return Refused("Size nz=" + std::to_string(nzWrite) + " to Write could not be less then 1");
  }
  const std::int64_t rows = nxInput > 0 ? elementCount / static_cast<std::uint32_t>(nxInput) : 0;
  if (nzWrite > rows) {
    return Refused("Size nz=" + std::to_string(nzWrite) + " to Write could not be greater then " +
                   std::to_string(rows) + " rows in input file");
  }
  return {};
}
