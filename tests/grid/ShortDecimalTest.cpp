#include "grid/ShortDecimal.h"

#include <gtest/gtest.h>

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

// The quick reading takes the whole token, to the bits of the full reading rounded to float.
void ExpectReadQuickly(const std::string& token) {
  const std::string text = token + std::string(16, ' ');
  float value = 0;
  ASSERT_EQ(Quick(text, &value), text.c_str() + token.size()) << token;
  const float rounded = static_cast<float>(ReadDecimal(token).value);
  ASSERT_EQ(std::memcmp(&rounded, &value, sizeof value), 0) << token;
}

// Every decimal of one to four digits with a point anywhere or none, after a sign or none; then
// random ones of five to seven digits.
TEST(ShortDecimalTest, ReadsEveryShortDecimalAsTheFullReadingRoundedToFloat) {
  for (int digits = 1, limit = 10; digits <= 4; ++digits, limit *= 10) {
    for (int number = 0; number < limit; ++number) {
      std::string plain = std::to_string(number);
      plain.insert(0, static_cast<std::size_t>(digits) - plain.size(), '0');
      for (int point = -1; point <= digits; ++point) {
        std::string token = plain;
        if (point >= 0) token.insert(static_cast<std::size_t>(point), ".");
        ExpectReadQuickly(token);
        ExpectReadQuickly("-" + token);
      }
    }
  }
  std::mt19937 random(7);
  for (int i = 0; i < 200000; ++i) {
    const int digits = 5 + static_cast<int>(random() % 3);
    const int point = static_cast<int>(random() % (digits + 2)) - 1;
    std::string token = random() % 4 == 0 ? "-" : "";
    for (int k = 0; k < digits; ++k) {
      if (k == point) token += '.';
      token += static_cast<char>('0' + random() % 10);
    }
    if (point == digits) token += '.';
    ExpectReadQuickly(token);
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
