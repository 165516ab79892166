// The other spellings of numbers that programs write into grids: Fortran's D exponents, NaN and
// infinities.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "grid/DecimalNumber.h"

namespace {

// A D exponent reads as the C library reads the same token with an E: the correctly rounded
// double, the same float. Short tokens take the quick way, long ones and ties the exact one, and
// a long token fed in pieces the accumulator.
TEST(DecimalNumberSpellingsTest, FortranExponentsReadAsTheCLibraryReadsTheirE) {
  std::mt19937_64 random(26);
  std::vector<std::string> tokens = {"1.500000D+03", "1.5d3",  "-2.5D-2",  "0.D0",
                                     "1D300",        "1d-300", "4.5D+038", "3.4028235677973366D38",
                                     ".5d+0",        "1D05"};
  for (int i = 0; i < 20000; ++i) {
    std::string token = random() % 2 ? "-" : "";
    token += std::to_string(random() % 100000);
    if (random() % 2) token += "." + std::to_string(random() % 1000000000000000000ull);
    token += "dD"[random() % 2];
    if (random() % 2) token += "+-"[random() % 2];
    token += std::to_string(static_cast<int>(random() % 90));
    tokens.push_back(token);
  }
  for (const std::string& token : tokens) {
    std::string withE = token;
    for (char& c : withE) c = (c == 'd' || c == 'D') ? 'e' : c;
    // std::from_chars rounds correctly everywhere (MinGW's strtod does not).
    double reference = 0;
    std::from_chars(withE.data(), withE.data() + withE.size(), reference);
    const DecimalReading reading = ReadDecimal(token);
    DecimalAccumulator pieces;
    for (std::size_t at = 0; at < token.size(); at += 3) pieces.Feed(token.substr(at, 3));
    for (const DecimalReading& read : {reading, pieces.Finish()}) {
      if (!std::isfinite(static_cast<float>(reference))) {
        EXPECT_EQ(read.status, DecimalStatus::kOutOfRange) << token;
        continue;
      }
      ASSERT_EQ(read.status, DecimalStatus::kNumber) << token;
      EXPECT_EQ(std::memcmp(&read.value, &reference, sizeof reference), 0) << token;
    }
  }
  for (const char* bad : {"1D", "D5", "1.5D+", "1DE5", "1.5Q3", "1.5D3.0"}) {
    EXPECT_EQ(ReadDecimal(bad).status, DecimalStatus::kNotANumber) << bad;
  }
}

// NaN is a value that is not there; an infinity is beyond every float; neither is a word.
TEST(DecimalNumberSpellingsTest, NaNAndInfinitiesAreToldApartFromWords) {
  for (const char* nan : {"nan", "NaN", "NAN", "-nan", "+nan", "-nan(ind)", "nan(0x7fc00000)"}) {
    const DecimalReading reading = ReadDecimal(nan);
    EXPECT_EQ(reading.status, DecimalStatus::kNaN) << nan;
    EXPECT_TRUE(std::isnan(reading.value)) << nan;
  }
  for (const char* infinity : {"inf", "-Inf", "+INF", "Infinity", "-infinity"}) {
    const DecimalReading reading = ReadDecimal(infinity);
    EXPECT_EQ(reading.status, DecimalStatus::kOutOfRange) << infinity;
    EXPECT_TRUE(std::isinf(reading.value)) << infinity;
  }
  for (const char* word : {"nano", "naN1", "nan(", "nan(a b)", "infinite", "in", "-", "Vp", "n"}) {
    EXPECT_EQ(ReadDecimal(word).status, DecimalStatus::kNotANumber) << word;
  }
}

}  // namespace
