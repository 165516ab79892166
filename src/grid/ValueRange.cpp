#include "grid/ValueRange.h"

#include <algorithm>
#include <limits>

ValueRange FindValueRange(const float* values, std::size_t count) {
  // Eight running bounds written as selections: the compiler turns them into vector code, where
  // std::minmax_element's branches take five times as long.
  constexpr std::size_t kLanes = 8;
  float low[kLanes], high[kLanes];
  std::fill_n(low, kLanes, std::numeric_limits<float>::infinity());
  std::fill_n(high, kLanes, -std::numeric_limits<float>::infinity());
  std::size_t i = 0;
  for (; count - i >= kLanes; i += kLanes) {
    for (std::size_t k = 0; k < kLanes; ++k) {
      const float value = values[i + k];
      low[k] = value < low[k] ? value : low[k];
      high[k] = value > high[k] ? value : high[k];
    }
  }
  for (; i < count; ++i) {
    low[0] = values[i] < low[0] ? values[i] : low[0];
    high[0] = values[i] > high[0] ? values[i] : high[0];
  }
  return {*std::min_element(low, low + kLanes), *std::max_element(high, high + kLanes)};
}

ValueRange FindRangeBetween(const float* values, std::size_t count, float above, float below) {
  // As FindValueRange, each value outside the bounds taken as no value at all.
  constexpr std::size_t kLanes = 8;
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  float low[kLanes], high[kLanes];
  std::fill_n(low, kLanes, kInfinity);
  std::fill_n(high, kLanes, -kInfinity);
  const auto take = [above, below](float value, float& least, float& greatest) {
    const float forLeast = value > above && value < below ? value : kInfinity;
    const float forGreatest = value > above && value < below ? value : -kInfinity;
    least = forLeast < least ? forLeast : least;
    greatest = forGreatest > greatest ? forGreatest : greatest;
  };
  std::size_t i = 0;
  for (; count - i >= kLanes; i += kLanes) {
    for (std::size_t k = 0; k < kLanes; ++k) take(values[i + k], low[k], high[k]);
  }
  for (; i < count; ++i) take(values[i], low[0], high[0]);
  return {*std::min_element(low, low + kLanes), *std::max_element(high, high + kLanes)};
}
