#pragma once
// The values a picture's colour map spans: the whole finite range of the nodes shown, or the
// range between two percentiles of them, so that a few extreme nodes (water beside sediments)
// do not squeeze every other value into a few colours.

#include "grid/ValueRange.h"
#include "picture/GridView.h"

// The least and greatest finite value; 0 to 0 when there is none.
ValueRange FiniteRange(const GridView& grid);

// The percent-th and (100 - percent)-th percentile of the finite values, for 0 <= percent < 50:
// of n values sorted, the one at floor(percent / 100 x (n - 1)) from each end, exactly. Two
// passes over the grid through histograms of the values' bits, in under 1 MiB. 0 to 0 when
// there is no finite value.
ValueRange PercentileRange(const GridView& grid, double percent);
