#pragma once
// No-data markers (grid/NoDataMarkers.h) in a grid: a grid that holds them is a finding of its
// own, and the other checks pass them over.

#include <cstdint>
#include <optional>
#include <string>

#include "conversion/ConversionRequest.h"
#include "grid/NoDataMarkers.h"
#include "grid/ValueRange.h"

// What the checks need of one property's values, from one pass over them.
struct ValueCensus {
  ValueRange range;  // of the values that are no markers; +infinity to -infinity when none is
  std::uint64_t markers = 0;
  std::uint64_t firstMarker = 0;  // the index of the first one
};

// range: the values' least and greatest when known, else found here.
ValueCensus TakeCensus(const float* values, std::uint32_t count,
                       const std::optional<ValueRange>& range = std::nullopt);

// "vp.txt holds 25 no-data markers, the first -9999 at row 100, column 201."; "" when it holds
// none. Rows of nx values.
std::string NoDataFinding(const PropertyInput& input, const ValueCensus& census, std::int32_t nx);
