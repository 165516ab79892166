#include "textgrid/GridOrder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// Grids of every shape stored column by column, rows from the bottom up or both, arranged in
// place into rows from the top, as plain loops arrange a copy; with a bit a value for the work
// or none at all; and back.
TEST(GridOrderTest, ColumnsAndBottomUpRowsArrangeIntoRowsFromTheTopAndBack) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const std::uint64_t nx = 1 + random() % 40, nz = 1 + random() % 40, count = nx * nz;
    const bool columns = random() % 2 == 0, flip = random() % 2 == 0;
    std::vector<float> file(count), expected(count);
    for (std::uint64_t z = 0; z < nz; ++z) {
      for (std::uint64_t x = 0; x < nx; ++x) {
        const float value = static_cast<float>(z * 1000 + x);
        const std::uint64_t row = flip ? nz - 1 - z : z;
        file[columns ? x * nz + row : row * nx + x] = value;
        expected[z * nx + x] = value;
      }
    }
    const ValueOrder order = columns ? ValueOrder::kColumns : ValueOrder::kRows;
    for (const std::uint64_t workBytes : {kGridOrderWorkBytes, std::uint64_t{0}}) {
      std::vector<float> values = file;
      ASSERT_TRUE(ArrangeGrid(values.data(), count, nx, order, flip, workBytes));
      EXPECT_EQ(values, expected) << nx << " x " << nz << (columns ? " columns" : "");
      ASSERT_TRUE(RestoreFileOrder(values.data(), count, nx, order, flip, workBytes));
      EXPECT_EQ(values, file);
    }
  }
}

}  // namespace
