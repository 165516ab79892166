#pragma once
// No-data markers: the values that programs write where a grid has no value (-999.25, -999, -9999,
// -99999, and Surfer's blank, 1.70141e38 and above). A forward model would read such a hole as
// rock, so a grid that holds them is a finding of its own, and the other checks pass them over.

#include <cstdint>
#include <optional>
#include <string>

#include "conversion/ConversionRequest.h"
#include "grid/ValueRange.h"

bool IsNoDataMarker(float value);

// Surfer's blank: it and every value above are no-data markers.
inline constexpr float kSurferBlank = 1.70141e38f;

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
