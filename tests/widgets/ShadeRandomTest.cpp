#include "widgets/ShadeRandom.h"

#include <gtest/gtest.h>

namespace {

TEST(ShadeRandomTest, StartsFromOneLikeTheClassicRuntimeGenerator) {
  ShadeRandom random;
  // The first numbers of the runtimes' unseeded rand(); every face depends on them.
  EXPECT_EQ(random.Next(), 41);
  EXPECT_EQ(random.Next(), 18467);
  EXPECT_EQ(random.Next(), 6334);
  EXPECT_EQ(random.Next(), 26500);
}

}  // namespace
