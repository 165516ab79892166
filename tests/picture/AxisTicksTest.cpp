#include <gtest/gtest.h>

#include <vector>

#include "picture/AxisTicks.h"

namespace {

// Axes a reader takes in at a glance: round steps, as many ticks as fit, labels as short as the
// step allows, km once a depth or distance in m would need five digits.
TEST(AxisTicksTest, RoundStepsAsCloseAsTheLabelsAllow) {
  const struct {
    double first, last, pixels, gap, leastStep;
    std::vector<double> ticks;
  } cases[] = {
      {0, 9980, 998, 80, 0, {0, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000}},
      {0, 3460, 346, 36, 0, {0, 500, 1000, 1500, 2000, 2500, 3000}},
      {0, 3.46, 346, 36, 0, {0, 0.5, 1, 1.5, 2, 2.5, 3}},
      {0, 0.9, 900, 150, 0, {0, 0.2, 0.4, 0.6, 0.8}},
      {60, 160, 500, 80, 0, {60, 80, 100, 120, 140, 160}},  // a window from 60 m on
      {1, 500, 1000, 80, 1, {50, 100, 150, 200, 250, 300, 350, 400, 450, 500}},  // node numbers
      {1, 3, 600, 80, 1, {1, 2, 3}},  // never between nodes
      {0, 0, 0, 80, 0, {0}},          // one node
  };
  for (const auto& c : cases) {
    const AxisTicks ticks = ChooseAxisTicks(c.first, c.last, c.pixels, c.gap, c.leastStep);
    EXPECT_EQ(ticks.values, c.ticks) << c.first << " to " << c.last << " over " << c.pixels;
  }
  EXPECT_EQ(TickLabel(1500, 500), "1500");
  EXPECT_EQ(TickLabel(1.5, 0.5), "1.5");
  EXPECT_EQ(TickLabel(0.6000000000000001, 0.2), "0.6");
  EXPECT_EQ(TickLabel(0.05, 0.05), "0.05");
  EXPECT_EQ(DistanceUnitMetres(9980), 1);
  EXPECT_EQ(DistanceUnitMetres(10000), 1000);
}

}  // namespace
