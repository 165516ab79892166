#include "system/FloatArray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "system/ReadOnlyFile.h"

namespace {

// The values held stay where they are as the array grows, and memory taken anew reads as zero.
// Every array gives its room back, when it ends or another takes its place: arrays of a TiB one
// after another, far more than an address space holds at once, each get the room the first got.
TEST(FloatArrayTest, GrowsInPlaceAndGivesItsRoomBack) {
  FloatArray values;
  ASSERT_TRUE(values.Reserve(std::uint64_t{1} << 24));
  ASSERT_TRUE(values.Resize(3));
  values[2] = 1500.0f;
  const float* const start = values.data();
  ASSERT_TRUE(values.Resize(std::uint64_t{5} << 20));
  EXPECT_TRUE(values.data() == start && values[2] == 1500.0f && values[(5 << 20) - 1] == 0.0f);

#if !defined(_WIN32)  // Wine takes time in proportion to the address space reserved.
  std::uint64_t first = 0;
  FloatArray kept;
  for (int i = 0; i < 512; ++i) {
    FloatArray large;
    ASSERT_TRUE(large.Reserve(std::uint64_t{1} << 38));
    if (i == 0) first = large.Capacity();
    ASSERT_EQ(large.Capacity(), first) << "array " << i;
    if (i % 2 == 0) kept = std::move(large);
  }
#endif
}

// An array that cannot take a file's floats holds nothing, not the room it gave back: a second
// release of that room would free whatever the system handed it to since.
TEST(FloatArrayTest, AnArrayThatCannotMapAFileHoldsNothing) {
  FloatArray values;
  ASSERT_TRUE(values.Reserve(16));
  ASSERT_TRUE(values.Resize(16));
  const ReadOnlyFile unopened;
  EXPECT_FALSE(values.MapFile(unopened, 0, 16));
  EXPECT_TRUE(values.data() == nullptr && values.empty() && values.Capacity() == 0);
}

}  // namespace
