#pragma once
// The least and greatest of many float values, fast enough to run over a whole grid.

#include <cstddef>

struct ValueRange {
  float minimum, maximum;
};

// NaN values are passed over; with no other value the range is +infinity to -infinity.
ValueRange FindValueRange(const float* values, std::size_t count);

// The range of the values strictly between `above` and `below` (NaN passed over); +infinity to
// -infinity when none is.
ValueRange FindRangeBetween(const float* values, std::size_t count, float above, float below);
