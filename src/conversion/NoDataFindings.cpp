#include "conversion/NoDataFindings.h"

#include <algorithm>
#include <limits>

#include "grid/NumberText.h"

namespace {

constexpr float kHighestNegativeMarker = -999.0f;

}  // namespace

ValueCensus TakeCensus(const float* values, std::uint32_t count,
                       const std::optional<ValueRange>& range) {
  ValueCensus census;
  census.range = range ? *range : FindValueRange(values, count);
  // Most grids hold no value that could be a marker: their range says so.
  if (census.range.minimum > kHighestNegativeMarker && census.range.maximum < kSurferBlank) {
    return census;
  }
  const float infinity = std::numeric_limits<float>::infinity();
  census.range = {infinity, -infinity};
  for (std::uint32_t i = 0; i < count; ++i) {
    const float value = values[i];
    if (IsNoDataMarker(value)) {
      if (census.markers++ == 0) census.firstMarker = i;
      continue;
    }
    census.range.minimum = std::min(census.range.minimum, value);
    census.range.maximum = std::max(census.range.maximum, value);
  }
  return census;
}

std::string NoDataFinding(const PropertyInput& input, const ValueCensus& census, std::int32_t nx) {
  if (census.markers == 0) return {};
  const std::uint64_t width = static_cast<std::uint64_t>(std::max(nx, 1));
  return input.name + " holds " + FormatInteger(static_cast<std::int64_t>(census.markers)) +
         (census.markers == 1 ? " no-data marker" : " no-data markers") + ", the first " +
         FormatSixDigits(input.values[census.firstMarker]) + " at row " +
         FormatInteger(static_cast<std::int64_t>(census.firstMarker / width + 1)) + ", column " +
         FormatInteger(static_cast<std::int64_t>(census.firstMarker % width + 1)) + ".";
}
