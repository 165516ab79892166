#include "grid/ShortDecimal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "grid/DecimalNumber.h"

namespace {

// The quick reading of a token followed by blanks (its read-ahead room): "declined" when it does
// not take exactly the token, else "" when it reads the bits of the full reading rounded to float.
std::string QuickReading(const std::string& token) {
  const std::string text = token + std::string(16, ' ');
  float value = 0;
  if (ReadShortDecimal(text.c_str(), &value) != text.c_str() + token.size()) return "declined";
  const DecimalReading full = ReadDecimal(token);
  const float rounded = static_cast<float>(full.value);
  const bool same = std::memcmp(&rounded, &value, sizeof value) == 0;
  return full.status == DecimalStatus::kNumber && same ? "" : "wrong";
}

TEST(ShortDecimalTest, ReadsShortDecimalsAsTheFullReadingRoundedToFloatAndNothingElse) {
  // Every decimal of one to four digits with a point anywhere or none, after a sign or none.
  for (int digits = 1, limit = 10; digits <= 4; ++digits, limit *= 10) {
    for (int number = 0; number < limit; ++number) {
      std::string plain = std::to_string(number);
      plain.insert(0, static_cast<std::size_t>(digits) - plain.size(), '0');
      for (int point = -1; point <= digits; ++point) {
        std::string token = plain;
        if (point >= 0) token.insert(static_cast<std::size_t>(point), ".");
        ASSERT_EQ(QuickReading(token), "") << token;
        ASSERT_EQ(QuickReading("-" + token), "") << token;
      }
    }
  }
  // Random ones of five to seven digits; random runs of digits, points, signs and others.
  std::mt19937 random(7);
  const char alphabet[] = "0123456789012345678901234567890123456789..+-e x";
  int taken = 0;
  for (int i = 0; i < 200000; ++i) {
    const int digits = 5 + static_cast<int>(random() % 3);
    const int point = static_cast<int>(random() % (digits + 2)) - 1;
    std::string token = random() % 4 == 0 ? "-" : "";
    for (int k = 0; k < digits; ++k) {
      if (k == point) token += '.';
      token += static_cast<char>('0' + random() % 10);
    }
    if (point == digits) token += '.';
    ASSERT_EQ(QuickReading(token), "") << token;

    std::string run;
    for (int k = 1 + random() % 11; k > 0; --k) run += alphabet[random() % (sizeof alphabet - 1)];
    const std::string reading = QuickReading(run);
    ASSERT_NE(reading, "wrong") << run;
    taken += reading.empty();
  }
  EXPECT_GT(taken, 10000);
}

}  // namespace
