#include "grid/ShortDecimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "grid/DecimalNumber.h"

namespace {

// The quick reading of a token at the start of text, as a tokenizer calls it (with read-ahead):
// where it stops, or null when the stop does not end a token (a digit, a point, a letter...).
const char* Quick(const std::string& text, float* value) {
  const char* stop = ReadShortDecimal(text.c_str(), value);
  return stop != nullptr && (*stop == ' ' || *stop == '\0') ? stop : nullptr;
}

TEST(ShortDecimalTest, ReadsTheUsualTokensExactly) {
  struct Case {
    const char* token;
    double value;
  };
  for (const Case& c : {Case{"1523.25", 1523.25}, Case{"-4500.1", -4500.1}, Case{"2710", 2710},
                        Case{"+.5", 0.5}, Case{"7.", 7}, Case{"0", 0}, Case{"-0.00001", -0.00001},
                        Case{"9999999", 9999999}, Case{"12345.6", 12345.6}, Case{"0.00", 0}}) {
    const std::string text = std::string(c.token) + " " + std::string(16, 'x');
    float value = -1;
    const char* stop = Quick(text, &value);
    ASSERT_NE(stop, nullptr) << c.token;
    EXPECT_EQ(stop - text.c_str(), static_cast<std::ptrdiff_t>(std::strlen(c.token))) << c.token;
    EXPECT_EQ(value, static_cast<float>(c.value)) << c.token;
  }
  float value = 0;
  EXPECT_TRUE(std::signbit((Quick("-0 ", &value), value)));
}

TEST(ShortDecimalTest, LeavesEverythingElseToTheFullReading) {
  for (const char* other : {"12345678", "1234567.8", "1.2345678", "", ".", "-", "+.", "e5", "x"}) {
    const std::string text = std::string(other) + " " + std::string(16, ' ');
    float value = 0;
    EXPECT_EQ(Quick(text, &value), nullptr) << other;
  }
}

// Every decimal of one to seven digits with a point anywhere or none, after a sign or none, is
// read quickly, to the bits of the full reading rounded to float.
TEST(ShortDecimalTest, ReadsEveryShortDecimalAsTheFullReadingRoundedToFloat) {
  std::mt19937 random(7);
  for (int i = 0; i < 300000; ++i) {
    const bool withPoint = random() % 5 != 0;
    const int digits = 1 + static_cast<int>(random() % 7);
    const int point = withPoint ? static_cast<int>(random() % (digits + 1)) : -1;
    std::string token = random() % 4 == 0 ? "-" : "";
    for (int k = 0; k < digits; ++k) {
      if (k == point) token += '.';
      token += static_cast<char>('0' + random() % 10);
    }
    if (point == digits) token += '.';
    const std::string text = token + std::string(16, ' ');
    float value = 0;
    ASSERT_EQ(Quick(text, &value), text.c_str() + token.size()) << token;
    const float rounded = static_cast<float>(ReadDecimal(token).value);
    ASSERT_EQ(std::memcmp(&rounded, &value, sizeof value), 0) << token;
  }
}

// Whatever the quick reading accepts up to a separator, the full reading accepts too, and its
// value rounded to float has the same bits: random runs of digits, points, signs and others.
TEST(ShortDecimalTest, AgreesWithTheFullReadingOnRandomTokens) {
  std::mt19937 random(99);
  const char alphabet[] = "0123456789012345678901234567890123456789..+-e x";
  int accepted = 0;
  for (int i = 0; i < 200000; ++i) {
    std::string token;
    const int length = 1 + static_cast<int>(random() % 11);
    for (int k = 0; k < length; ++k) token += alphabet[random() % (sizeof alphabet - 1)];
    const std::string text = token + std::string(16, ' ');
    float value = 0;
    const char* stop = Quick(text, &value);
    if (stop == nullptr || *stop != ' ') continue;
    const std::string read(text.c_str(), stop);
    const DecimalReading full = ReadDecimal(read);
    ASSERT_EQ(full.status, DecimalStatus::kNumber) << read;
    const float rounded = static_cast<float>(full.value);
    ASSERT_EQ(std::memcmp(&rounded, &value, sizeof value), 0) << read;
    ++accepted;
  }
  EXPECT_GT(accepted, 10000);
}

}  // namespace
