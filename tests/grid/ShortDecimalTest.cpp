#include "grid/ShortDecimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "grid/DecimalNumber.h"

namespace {

// The quick reading of `token` followed by a space, as a tokenizer calls it (with read-ahead).
const char* Quick(const std::string& text, double* value) {
  return ReadShortDecimal(text.c_str(), value);
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
    double value = -1;
    const char* stop = Quick(text, &value);
    ASSERT_NE(stop, nullptr) << c.token;
    EXPECT_EQ(stop - text.c_str(), static_cast<std::ptrdiff_t>(std::strlen(c.token))) << c.token;
    EXPECT_EQ(value, c.value) << c.token;
  }
  double value = 0;
  EXPECT_TRUE(std::signbit((Quick("-0 ", &value), value)));
}

TEST(ShortDecimalTest, LeavesEverythingElseToTheFullReading) {
  for (const char* other : {"12345678", "123456.7", "1.234567", "", ".", "-", "+.", "e5", "x"}) {
    const std::string text = std::string(other) + " " + std::string(16, ' ');
    double value = 0;
    EXPECT_EQ(Quick(text, &value), nullptr) << other;
  }
}

// Whatever the quick reading accepts up to a separator, the full reading accepts too, with the
// same bits: random runs of digits, points, signs and other characters.
TEST(ShortDecimalTest, AgreesWithTheFullReadingOnRandomTokens) {
  std::mt19937 random(99);
  const char alphabet[] = "0123456789012345678901234567890123456789..+-e x";
  int accepted = 0;
  for (int i = 0; i < 200000; ++i) {
    std::string token;
    const int length = 1 + static_cast<int>(random() % 11);
    for (int k = 0; k < length; ++k) token += alphabet[random() % (sizeof alphabet - 1)];
    const std::string text = token + std::string(16, ' ');
    double value = 0;
    const char* stop = Quick(text, &value);
    if (stop == nullptr || *stop != ' ') continue;
    const std::string read(text.c_str(), stop);
    const DecimalReading full = ReadDecimal(read);
    ASSERT_EQ(full.status, DecimalStatus::kNumber) << read;
    ASSERT_EQ(std::memcmp(&full.value, &value, sizeof value), 0) << read;
    ++accepted;
  }
  EXPECT_GT(accepted, 10000);
}

}  // namespace
