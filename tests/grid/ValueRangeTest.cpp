#include "grid/ValueRange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// The least and the greatest value are found wherever they stand: in any place of a group the
// search takes together or among the few values after the groups. NaN counts for nothing, and
// so do values at or beyond the bounds (0, a no-data marker), wherever they stand too.
TEST(ValueRangeTest, TheExtremesAreFoundInEveryPlace) {
  const float marker = 1.70141e38f;
  for (std::size_t count = 3; count <= 40; ++count) {
    for (std::size_t at = 0; at < count; ++at) {
      std::vector<float> values(count, 1500.0f);
      const std::size_t other = (at + 1) % count;
      const auto range = [&](bool between) {
        return between ? FindRangeBetween(values.data(), count, 0.0f, marker)
                       : FindValueRange(values.data(), count);
      };
      const std::string where = std::to_string(at) + " of " + std::to_string(count);
      for (const bool between : {false, true}) {
        values[other] = between ? marker : std::nanf("");
        values[at] = 9000.0f;
        EXPECT_EQ(range(between).maximum, 9000.0f) << "the greatest at " << where;
        values[other] = between ? 0.0f : std::nanf("");
        values[at] = 100.0f;
        EXPECT_EQ(range(between).minimum, 100.0f) << "the least at " << where;
      }
    }
  }
  // Nothing between the bounds: no range at all.
  const float bounds[] = {0.0f, marker, std::nanf(""), 0.0f, marker};
  const ValueRange none = FindRangeBetween(bounds, 5, 0.0f, marker);
  EXPECT_TRUE(none.minimum == std::numeric_limits<float>::infinity() &&
              none.maximum == -std::numeric_limits<float>::infinity());
}

}  // namespace
