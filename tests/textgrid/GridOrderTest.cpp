#include "textgrid/GridOrder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <random>
#include <vector>

namespace {

// Allocations that may fail (new (std::nothrow)) fail while this is set, as when the system has
// no memory to give.
bool allocationsFail = false;

}  // namespace

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  if (allocationsFail) return nullptr;
  try {
    return ::operator new[](size);
  } catch (...) {
    return nullptr;
  }
}

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

// Without memory for the work, columns are not transposed and that is said: the values stay as
// the file holds them.
TEST(GridOrderTest, ColumnsWithoutMemoryForTheWorkAreLeftAsTheyWereAndSaySo) {
  std::vector<float> values(6 * 4);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i);
  const std::vector<float> file = values;
  allocationsFail = true;
  const bool arranged = ArrangeGrid(values.data(), values.size(), 6, ValueOrder::kColumns, true);
  const bool restored =
      RestoreFileOrder(values.data(), values.size(), 6, ValueOrder::kColumns, false);
  allocationsFail = false;
  EXPECT_FALSE(arranged);
  EXPECT_FALSE(restored);
  EXPECT_EQ(values, file);
}

}  // namespace
