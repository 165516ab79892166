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

int XSizeIndexFromLines(const std::vector<std::int32_t>& choices, std::uint32_t count,
                        const TextGridLines& lines) {
  if (lines.linesWithValues < 2) return -1;
  if (lines.AllLinesAlike()) {
    const auto width = std::find(choices.begin(), choices.end(), lines.firstCount);
    return width == choices.end() ? -1 : static_cast<int>(width - choices.begin());
  }
  // The narrowest rows wrapped over whole lines that do not make a grid far deeper than wide.
  if (lines.tooManyRuns) return -1;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const std::uint64_t nx = static_cast<std::uint64_t>(choices[i]);
    if (count / nx < kDeepGridRatio * nx && RowsEndAtLineEnds(nx, lines.runs)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int ProposedXSizeIndex(const std::vector<std::int32_t>& choices, std::uint32_t count,
                       const TextGridLines& lines, ValueOrder order) {
  const int fromLines = XSizeIndexFromLines(choices, count, lines);
  if (fromLines >= 0 && order == ValueOrder::kColumns) {
    // Divisors come in pairs: the number of columns is on offer with their length.
    const std::int32_t columns = static_cast<std::int32_t>(count / choices[fromLines]);
    return static_cast<int>(std::find(choices.begin(), choices.end(), columns) - choices.begin());
  }
  if (fromLines >= 0) return fromLines;
  const std::int64_t root = IntegerSquareRoot(count);
  int proposal = -1;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i] <= root && (proposal < 0 || choices[i] > choices[proposal])) {
      proposal = static_cast<int>(i);
    }
  }
  return proposal;
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
