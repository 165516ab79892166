#include "textgrid/MatrixWithAxes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "grid/DecimalNumber.h"
#include "grid/NumberText.h"
#include "textgrid/ArithmeticProgression.h"
#include "textgrid/FormCoordinates.h"
#include "textgrid/LineWords.h"

namespace {

// The numbers of a line of values, apart by blanks, commas (unless they are decimal marks) and
// semicolons, NaN among them (a hole, or the corner cell left empty); false when a word is not a
// number.
bool NumbersOf(std::string_view line, bool decimalCommas, std::vector<float>& numbers) {
  std::string text(line);
  for (char& c : text) {
    if (c == ';' || c == '\t' || (c == ',' && !decimalCommas)) c = ' ';
    if (c == ',') c = '.';
  }
  numbers.clear();
  for (const std::string_view word : WordsOf(text, [](char c) { return c == ' '; })) {
    const DecimalReading reading = ReadDecimal(word);
    if (reading.status != DecimalStatus::kNumber && reading.status != DecimalStatus::kNaN) {
      return false;
    }
    numbers.push_back(static_cast<float>(reading.value));
  }
  return true;
}

// Told from the text, each axis holds 3 coordinates or more: any 2 values make a progression.
constexpr std::uint64_t kToldAxis = 3;

// The axes of a matrix of `width` values a line and `height` lines: the first line after its
// corner and the first value of every other line. alone: the row and the column next to them
// keep neither step.
struct Axes {
  Progression x, z;
  bool alone = false;
};

Axes FindAxes(const float* values, std::uint64_t width, std::uint64_t height) {
  Axes axes;
  if (width < 3 || height < 3) return axes;
  axes.x = FindProgression(values + 1, width - 1);
  axes.z = FindProgression(values + width, height - 1, width);
  const Progression nextRow = FindProgression(values + width + 1, width - 1);
  const Progression nextColumn = FindProgression(values + width + 1, height - 1, width);
  axes.alone = !SameStep(axes.x, nextRow) && !SameStep(axes.z, nextColumn);
  return axes;
}

std::string Coordinate(double value) { return FormatShortest(static_cast<float>(value)); }

}  // namespace

bool LooksLikeMatrixWithAxes(const std::vector<NumberedLine>& lines, bool decimalCommas) {
  if (lines.size() < kToldAxis + 1) return false;
  std::vector<float> values, numbers;
  std::size_t width = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!NumbersOf(lines[i].text, decimalCommas, numbers)) return false;
    if (i == 0) width = numbers.size();
    if (numbers.size() != width) return false;
    values.insert(values.end(), numbers.begin(), numbers.end());
  }
  if (width < kToldAxis + 1) return false;
  const Axes axes = FindAxes(values.data(), width, lines.size());
  return axes.x.found && axes.z.found && axes.alone;
}

Status ReadMatrixWithAxes(float* values, std::uint64_t count, const TextGridLines& lines,
                          const std::string& name, bool chosen, bool turned, TextGridForm& form,
                          std::uint64_t* gridCount) {
  *gridCount = count;
  const std::string refused = name + " is not a matrix with axes: ";
  const std::uint64_t width = lines.firstCount, height = lines.linesWithValues;
  const std::uint64_t least = chosen ? 3 : kToldAxis + 1;
  if (!lines.AllLinesAlike() || width < least || height < least) {
    if (!chosen) return Status();
    return Status::Error(refused +
                         "it needs 3 lines or more that all hold the same number of "
                         "values, 3 or more, and has " +
                         DescribeLines(lines));
  }
  const Axes axes = FindAxes(values, width, height);
  if (!axes.x.found || !axes.z.found || (!chosen && !axes.alone)) {
    if (!chosen) return Status();
    return Status::Error(refused + "its first " + (axes.x.found ? "column below" : "row after") +
                         " the corner cell does not rise or fall by one step");
  }
  // The values without the axes, row after row, x growing to the right and the top row first:
  // of a depth the least z, of an elevation (wholly at or below 0) the greatest.
  const float low = static_cast<float>(std::min(axes.z.first, axes.z.last));
  const float high = static_cast<float>(std::max(axes.z.first, axes.z.last));
  const bool elevation = ReadsAsElevation(low, high, VerticalName::kNone);
  const std::uint64_t nx = width - 1, nz = height - 1;
  for (std::uint64_t z = 0; z < nz; ++z) {
    std::memmove(values + z * nx, values + (z + 1) * width + 1, nx * sizeof(float));
    if (axes.x.step < 0) std::reverse(values + z * nx, values + (z + 1) * nx);
  }
  if ((axes.z.step < 0) != elevation) {
    for (std::uint64_t z = 0; z < nz / 2; ++z) {
      std::swap_ranges(values + z * nx, values + (z + 1) * nx, values + (nz - 1 - z) * nx);
    }
  }
  *gridCount = nx * nz;
  form.kind = TextForm::kMatrix;
  form.name = "matrix with axes";
  form.source = "the matrix's axes";
  form.statesSizes = form.statesSteps = true;
  form.nx = static_cast<std::int32_t>(nx);
  form.nz = static_cast<std::int32_t>(nz);
  form.dx = static_cast<float>(std::fabs(axes.x.step));
  form.dz = static_cast<float>(std::fabs(axes.z.step));
  form.taken = "x " + Coordinate(std::min(axes.x.first, axes.x.last)) + " to " +
               Coordinate(std::max(axes.x.first, axes.x.last)) + " and z " +
               Coordinate(std::min(axes.z.first, axes.z.last)) + " to " +
               Coordinate(std::max(axes.z.first, axes.z.last)) + " at steps of " +
               FormatShortest(form.dx) + " and " + FormatShortest(form.dz);
  form.facts.vertical = TakeVertical("z", low, high, VerticalName::kNone, turned);
  form.taken += ", " + DescribeVertical(form.facts.vertical);
  return Status();
}
