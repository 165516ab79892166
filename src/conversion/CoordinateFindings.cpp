#include "conversion/CoordinateFindings.h"

#include <cmath>

#include "grid/NumberText.h"
#include "textgrid/ArithmeticProgression.h"

namespace {

// Fewer values than this keep one step too easily to say they are coordinates.
constexpr std::int64_t kLeastCoordinates = 3;

// The progression of `count` values `stride` apart from `first`, below a corner cell when the
// whole run is none, while the run `next` further on does not keep its step.
Progression CoordinatesAt(const float* first, std::int64_t count, std::int64_t stride,
                          std::int64_t next) {
  for (const std::int64_t skip : {0, 1}) {
    const std::int64_t length = count - skip;
    if (length < kLeastCoordinates) break;
    const float* const start = first + skip * stride;
    const Progression run = FindProgression(start, static_cast<std::uint64_t>(length),
                                            static_cast<std::uint64_t>(stride));
    if (!run.found) continue;
    const Progression beside = FindProgression(start + next, static_cast<std::uint64_t>(length),
                                               static_cast<std::uint64_t>(stride));
    return SameStep(run, beside) ? Progression() : run;
  }
  return Progression();
}

std::string Described(const Progression& run) {
  return std::string(run.step > 0 ? "rises by " : "falls by ") +
         FormatShortest(static_cast<float>(std::fabs(run.step)));
}

std::string Range(const Progression& run) {
  return "from " + FormatShortest(static_cast<float>(run.first)) + " to " +
         FormatShortest(static_cast<float>(run.last));
}

}  // namespace

std::string FirstColumnFinding(const PropertyInput& input, std::int32_t nx, std::int32_t nz,
                               const std::string& skipColumns) {
  if (input.values == nullptr || nx < 2) return {};
  const Progression run = CoordinatesAt(input.values, nz, nx, 1);
  if (!run.found) return {};
  return input.name + ": the first column " + Described(run) + " on each line, " + Range(run) +
         ": depths? " + skipColumns + " 1 leaves it out";
}

std::string FirstRowFinding(const PropertyInput& input, std::int32_t nx, std::int32_t nz,
                            const std::string& skipRows) {
  if (input.values == nullptr || nz < 2) return {};
  const Progression run = CoordinatesAt(input.values, nx, 1, nx);
  if (!run.found) return {};
  return input.name + ": the first row " + Described(run) + " from column to column, " +
         Range(run) + ": x coordinates? " + skipRows + " 1 leaves it out";
}
