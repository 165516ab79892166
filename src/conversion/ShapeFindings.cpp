#include "conversion/ShapeFindings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "conversion/NoDataFindings.h"
#include "conversion/XSizeFindings.h"
#include "grid/CompilerSupport.h"
#include "grid/NumberText.h"
#include "textgrid/GridSizes.h"

#if defined(MVG_HAVE_SSE2)
#include <emmintrin.h>
#endif

namespace {

// The question that fits a grid read column by column (`columnsChosen`: how the user said so)
// whose shape or grain says the file holds rows.
std::string StoredRowByRow(const std::string& columnsChosen) {
  return "is the file stored row by row, not column by column as " + columnsChosen + " reads it?";
}

// Rows enough to measure a grid's grain: more would take longer and say the same.
constexpr std::uint64_t kMeasuredNodes = std::uint64_t{1} << 22;

struct Changes {
  double alongRows = 0, downColumns = 0;  // the mean absolute change between neighbours
};

// Evenly spaced pairs of neighbouring rows.
Changes MeasureChanges(const float* values, std::uint64_t nx, std::uint64_t nz, bool holdsMarkers) {
  const std::uint64_t rowStep = std::max<std::uint64_t>(1, nx * nz / kMeasuredNodes);
  double along = 0, down = 0;
  std::uint64_t alongPairs = 0, downPairs = 0;
  for (std::uint64_t row = 0; row + 1 < nz; row += rowStep) {
    const float* const here = values + row * nx;
    const float* const below = here + nx;
    if (!holdsMarkers) {
      // Every pair counts: each sum in two lanes, one for even x and one for odd x.
      double lanes[4] = {0, 0, 0, 0};  // along (even, odd), down (even, odd)
      std::uint64_t x = 0;
#if defined(MVG_HAVE_SSE2)
      const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
      __m128d alongPairs2 = _mm_setzero_pd(), downPairs2 = _mm_setzero_pd();
      const auto twoAt = [](const float* p) {
        return _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
      };
      for (; x + 2 < nx; x += 2) {
        const __m128d left = twoAt(here + x);
        alongPairs2 =
            _mm_add_pd(alongPairs2, _mm_and_pd(_mm_sub_pd(twoAt(here + x + 1), left), magnitude));
        downPairs2 =
            _mm_add_pd(downPairs2, _mm_and_pd(_mm_sub_pd(twoAt(below + x), left), magnitude));
      }
      _mm_storeu_pd(lanes, alongPairs2);
      _mm_storeu_pd(lanes + 2, downPairs2);
#else
      for (; x + 2 < nx; x += 2) {
        lanes[0] += std::fabs(static_cast<double>(here[x + 1]) - here[x]);
        lanes[1] += std::fabs(static_cast<double>(here[x + 2]) - here[x + 1]);
        lanes[2] += std::fabs(static_cast<double>(below[x]) - here[x]);
        lanes[3] += std::fabs(static_cast<double>(below[x + 1]) - here[x + 1]);
      }
#endif
      for (; x < nx; ++x) {
        if (x + 1 < nx) lanes[0] += std::fabs(static_cast<double>(here[x + 1]) - here[x]);
        lanes[2] += std::fabs(static_cast<double>(below[x]) - here[x]);
      }
      along += lanes[0] + lanes[1];
      down += lanes[2] + lanes[3];
      alongPairs += nx - 1;
      downPairs += nx;
      continue;
    }
    for (std::uint64_t x = 0; x < nx; ++x) {
      if (IsNoDataMarker(here[x])) continue;
      if (x + 1 < nx && !IsNoDataMarker(here[x + 1])) {
        along += std::fabs(static_cast<double>(here[x + 1]) - here[x]);
        ++alongPairs;
      }
      if (!IsNoDataMarker(below[x])) {
        down += std::fabs(static_cast<double>(below[x]) - here[x]);
        ++downPairs;
      }
    }
  }
  Changes changes;
  if (alongPairs > 0) changes.alongRows = along / static_cast<double>(alongPairs);
  if (downPairs > 0) changes.downColumns = down / static_cast<double>(downPairs);
  return changes;
}

}  // namespace

std::string NoGridMessage(const std::string& name, std::uint32_t count) {
  return name + " holds " + std::to_string(count) +
         " values, a number with no X size from 2 to half of it: no grid can be formed";
}

std::string LinesFinding(const std::string& name, const TextGridLines& lines, std::uint32_t count,
                         std::int32_t nx, ValueOrder order) {
  const bool columns = order == ValueOrder::kColumns;
  if (XSizeFitsLines(nx, lines)) return RowsOnEachLineFinding(name, lines, nx, order);
  // Programs that write a grid column by column run its values on over lines of a fixed count:
  // the grid they make is judged instead (DeepGridFinding, ColumnByColumnFinding).
  if (columns && LinesRunOnOverRows(lines, nx)) return {};
  const std::string moved = MovedBreakFinding(name, lines);
  if (!moved.empty()) return moved;
  const std::vector<std::int32_t> choices = XSizeChoices(count);
  const int fromLines = XSizeIndexFromLines(choices, count, lines);
  if (fromLines >= 0) {
    return name + (columns ? ": columns of " : ": rows of ") + FormatInteger(nx) +
           " values do not fit its lines (" + DescribeLines(lines) + "): is the " +
           (columns ? "Z" : "X") + " size " + FormatInteger(choices[fromLines]) + "?";
  }
  const std::string pattern = name + ": " + DescribeLines(lines) + ": no X size follows from ";
  if (lines.differingLine == 0) return pattern + "its lines.";
  return pattern + "these lines; is a value missing or one too many on line " +
         FormatInteger(static_cast<std::int64_t>(lines.differingLine)) + "?";
}

std::string FileShapeFinding(const std::string& name, const TextGridLines& lines,
                             std::uint32_t count, ValueOrder order) {
  const std::vector<std::int32_t> choices = XSizeChoices(count);
  if (choices.empty()) return NoGridMessage(name, count) + ".";
  const std::int32_t nx = choices[ProposedXSizeIndex(choices, count, lines, order)];
  const bool columns = order == ValueOrder::kColumns;
  return LinesFinding(name, lines, count, columns ? static_cast<std::int32_t>(count / nx) : nx,
                      order);
}

std::string WideGridFinding(std::int32_t nx, std::int32_t nz) {
  if (nz <= 0 || static_cast<std::uint64_t>(nx) < kDeepGridRatio * static_cast<std::uint64_t>(nz)) {
    return {};
  }
  return "A grid of " + FormatInteger(nx) + " x " + FormatInteger(nz) + " nodes is " +
         FormatInteger(std::llround(static_cast<double>(nx) / nz)) +
         " times wider than deep: are its columns wrapped over several lines?";
}

std::string DeepGridFinding(std::int32_t nx, std::int32_t nz, const std::string& columnsChosen) {
  if (nx <= 0 || static_cast<std::uint64_t>(nz) < kDeepGridRatio * static_cast<std::uint64_t>(nx)) {
    return {};
  }
  return "A grid of " + FormatInteger(nx) + " x " + FormatInteger(nz) + " nodes is " +
         FormatInteger(std::llround(static_cast<double>(nz) / nx)) + " times deeper than wide: " +
         (columnsChosen.empty()
              ? "are its rows wrapped over several lines, or is the file stored column by column?"
              : StoredRowByRow(columnsChosen));
}

std::string ColumnByColumnFinding(const PropertyInput& input, std::int32_t nx, std::int32_t nz,
                                  bool holdsMarkers, const std::string& columnsChosen) {
  if (input.values == nullptr || nx < 1 || nz < 2) return {};
  const Changes changes = MeasureChanges(input.values, static_cast<std::uint64_t>(nx),
                                         static_cast<std::uint64_t>(nz), holdsMarkers);
  if (!(changes.downColumns * 2 < changes.alongRows)) return {};
  const std::string how =
      changes.downColumns == 0
          ? "values change along the rows but not down the columns"
          : "values change " +
                FormatInteger(std::llround(changes.alongRows / changes.downColumns)) +
                " times more along the rows than down the columns";
  return input.name + ": " + how + ": " +
         (columnsChosen.empty() ? "is the file stored column by column?"
                                : StoredRowByRow(columnsChosen));
}
