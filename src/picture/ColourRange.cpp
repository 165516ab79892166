#include "picture/ColourRange.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// The rows of the view as runs of values: the whole view as one run when its rows are adjacent.
template <typename Visit>
void ForEachRun(const GridView& grid, Visit visit) {
  if (grid.stride == static_cast<std::size_t>(grid.nx)) {
    visit(grid.values, static_cast<std::size_t>(grid.nx) * grid.nz);
    return;
  }
  for (std::int32_t z = 0; z < grid.nz; ++z) visit(grid.Row(z), static_cast<std::size_t>(grid.nx));
}

// Float bits as an unsigned key in the floats' order (finite values only).
std::uint32_t OrderKey(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return (bits & 0x80000000u) != 0 ? ~bits : bits | 0x80000000u;
}

float FromOrderKey(std::uint32_t key) {
  const std::uint32_t bits = (key & 0x80000000u) != 0 ? key & 0x7FFFFFFFu : ~key;
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The bin of a histogram that holds the value of the given rank (from 0), and the rank within it.
std::size_t BinOfRank(const std::vector<std::uint32_t>& counts, std::uint64_t& rank) {
  std::size_t bin = 0;
  while (rank >= counts[bin]) rank -= counts[bin++];
  return bin;
}

}  // namespace

ValueRange FiniteRange(const GridView& grid) {
  ValueRange range{std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
  bool infinite = false;
  ForEachRun(grid, [&](const float* run, std::size_t count) {
    const ValueRange part = FindValueRange(run, count);  // NaN passed over
    infinite = infinite || std::isinf(part.minimum) || std::isinf(part.maximum);
    range = {std::min(range.minimum, part.minimum), std::max(range.maximum, part.maximum)};
  });
  if (infinite) {
    // Rare: an infinite value, or no number at all. Again, without the infinite values.
    range = {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
    ForEachRun(grid, [&](const float* run, std::size_t count) {
      for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(run[i])) continue;
        range.minimum = std::min(range.minimum, run[i]);
        range.maximum = std::max(range.maximum, run[i]);
      }
    });
  }
  return range.minimum <= range.maximum ? range : ValueRange{0, 0};
}

ValueRange PercentileRange(const GridView& grid, double percent) {
  // First the upper 16 bits of each value's key, then the lower 16 within the bins of the two
  // ranks: the values of those ranks, found exactly.
  constexpr std::size_t kBins = 1 << 16;
  std::vector<std::uint32_t> upper(kBins), lowEnd(kBins), highEnd(kBins);
  std::uint64_t count = 0;
  ForEachRun(grid, [&](const float* run, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      if (!std::isfinite(run[i])) continue;
      ++upper[OrderKey(run[i]) >> 16];
      ++count;
    }
  });
  if (count == 0) return {0, 0};
  std::uint64_t lowRank = static_cast<std::uint64_t>(std::floor(percent / 100 * (count - 1)));
  std::uint64_t highRank = count - 1 - lowRank;
  const std::size_t lowBin = BinOfRank(upper, lowRank), highBin = BinOfRank(upper, highRank);
  ForEachRun(grid, [&](const float* run, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      if (!std::isfinite(run[i])) continue;
      const std::uint32_t key = OrderKey(run[i]);
      if (key >> 16 == lowBin) ++lowEnd[key & 0xFFFFu];
      if (key >> 16 == highBin) ++highEnd[key & 0xFFFFu];
    }
  });
  const auto value = [](std::size_t bin, std::size_t within) {
    return FromOrderKey(static_cast<std::uint32_t>(bin << 16 | within));
  };
  return {value(lowBin, BinOfRank(lowEnd, lowRank)), value(highBin, BinOfRank(highEnd, highRank))};
}
