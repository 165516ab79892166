#include "widgets/ShadeRandom.h"

#include <gtest/gtest.h>

namespace {

TEST(ShadeRandomTest, StartsFromOneLikeTheClassicRuntimeGenerator) {
  ShadeRandom random;
  // The first numbers of the runtimes' unseeded rand().
  EXPECT_EQ(random.Next(), 41);
  EXPECT_EQ(random.Next(), 18467);
  EXPECT_EQ(random.Next(), 6334);
  EXPECT_EQ(random.Next(), 26500);
}

TEST(ShadeRandomTest, EveryGeneratorDrawsTheSameSequenceWithinRange) {
  ShadeRandom first;
  ShadeRandom second;
  for (int i = 0; i < 100000; ++i) {
    const int value = first.Next();
    ASSERT_EQ(value, second.Next());
    ASSERT_GE(value, 0);
    ASSERT_LE(value, ShadeRandom::kMax);
  }
}

}  // namespace
