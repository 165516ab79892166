#include "grid/NumberText.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(NumberText, IntegersAreBlanksAroundDigitsWithin32Bits) {
  std::int32_t value = 5;
  for (const char* bad : {"", "-", "12x", "1.0", "2147483648", "-2147483649", "1e3", "1 2"}) {
    EXPECT_FALSE(ReadInt32(bad, &value)) << bad;
  }
  EXPECT_EQ(value, 5);  // untouched by refusals
  const std::pair<const char*, std::int32_t> good[] = {
      {" 120\t", 120}, {"+7", 7}, {"-2147483648", -2147483647 - 1}, {"002147483647", 2147483647}};
  for (const auto& [text, expected] : good) {
    EXPECT_TRUE(ReadInt32(text, &value) && value == expected) << text;
  }
}

TEST(NumberText, FloatsShownInFullReadBackToTheSameBits) {
  for (float value : {12.3456789f, 3.4028235e38f, 1.4e-45f, -0.0f}) {
    float back = 1.0f;
    ASSERT_TRUE(ReadFloat32(FormatShortest(value), &back)) << FormatShortest(value);
    EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << FormatShortest(value);
  }
}

// As atof and a cast read it: the nearest double, 1 + 2^-24, is halfway between two floats and
// goes to the even one, where a direct rounding to float would give the float above 1.
TEST(NumberText, FloatsAreTheNearestDoubleRoundedToFloat) {
  float value = 0.0f;
  ASSERT_TRUE(ReadFloat32("1.0000000596046448", &value));
  EXPECT_EQ(value, 1.0f);
}

}  // namespace
