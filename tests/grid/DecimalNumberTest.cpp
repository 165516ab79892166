#include "grid/DecimalNumber.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/CLibraryNumber.h"

#if !defined(_WIN32)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// The float nearest the decimal itself, in one rounding: strtof (from_chars under MinGW, whose
// strtof does not round correctly).
float DirectFloat(const std::string& token) {
#if defined(__MINGW32__)
  float value = 0;
  std::from_chars(token.c_str() + (token[0] == '+'), token.c_str() + token.size(), value);
  return value;
#else
  return std::strtof(token.c_str(), nullptr);
#endif
}

// The token as C writes it: Fortran's exponent mark D (or d) is C's e.
std::string AsCWritesIt(std::string token) {
  for (char& c : token) c = c == 'd' || c == 'D' ? 'e' : c;
  return token;
}

// Moves the last mantissa digit of a printed number by one, up or down (never past 0 or 9).
std::string Nudged(std::string text, bool up) {
  std::size_t last = text.find_first_of("eE");
  if (last == std::string::npos) last = text.size();
  --last;
  char& digit = text[last];
  if (up && digit < '9') ++digit;
  if (!up && digit > '0') --digit;
  return text;
}

// Decimals within a hair of the midpoint between two neighbouring floats: read as a double
// first, many land exactly on the midpoint, which then rounds to even, where a direct reading
// to float would round the other way.
void AddTieTokens(std::mt19937_64& random, std::vector<std::string>* tokens, int count) {
  std::uniform_int_distribution<std::uint32_t> bits(0, 0x7F7FFFFE);
  for (int i = 0; i < count; ++i) {
    float low;
    const std::uint32_t pattern = bits(random);
    std::memcpy(&low, &pattern, sizeof low);
    const float high = std::nextafter(low, std::numeric_limits<float>::infinity());
    const double midpoint = (static_cast<double>(low) + static_cast<double>(high)) / 2;
    const int digits = 17 + static_cast<int>(random() % 4);
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, midpoint);
    tokens->push_back(text);
    tokens->push_back(Nudged(text, true));
    tokens->push_back(Nudged(text, false));
  }
}

std::string RandomDigits(std::mt19937_64& random, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random() % 10);
  return digits;
}

// Hand-written and random shapes: plain decimals as grids hold them, signs, points at either
// end, exponents of every size, long mantissas, values at the edges of the float range.
void AddShapedTokens(std::mt19937_64& random, std::vector<std::string>* tokens, int count) {
  const char* const signs[] = {"", "", "-", "+"};
  for (int i = 0; i < count; ++i) {
    std::string token = signs[random() % 4];
    const int shape = static_cast<int>(random() % 6);
    if (shape <= 1) {
      token += RandomDigits(random, 1 + random() % 5) + "." + RandomDigits(random, random() % 4);
    } else if (shape == 2) {
      token += RandomDigits(random, random() % 3) + "." + RandomDigits(random, 1 + random() % 25);
    } else if (shape == 3) {
      token += RandomDigits(random, 1 + random() % 30);
    } else {
      token += RandomDigits(random, 1 + random() % 20);
      if (random() % 2) token += "." + RandomDigits(random, random() % 20);
      // Around the float range, or around the double range.
      int exponent = static_cast<int>(random() % 120) - 60;
      if (shape == 5) exponent = (random() % 2 ? 1 : -1) * static_cast<int>(280 + random() % 70);
      token += "eEdD"[random() % 4];
      if (exponent >= 0 && random() % 2) token += '+';
      token += std::to_string(exponent);
    }
    tokens->push_back(token);
  }
}

TEST(DecimalNumberTest, MatchesAtofThenFloatOnAMillionTokens) {
  std::mt19937_64 random(20240611);
  std::vector<std::string> tokens;
  AddTieTokens(random, &tokens, 150000);
  AddShapedTokens(random, &tokens, 550000);
  for (const char* edge :
       {"3.4028234663852886e38", "3.4028235677973366e38", "3.4028235677973362e38", "3.5e38",
        "1.4012984643248171e-45", "7.006492321624085e-46", "7.0064923216240862e-46", "1e-400",
        "-1e-400", "1e400", "0", "-0", "0.0000", "1e-320", "4.9406564584124654e-324",
        "2.4703282292062327e-324", "179769313486231570000000000000000000000e271",
        // Exponents with zeros before their digits, more of them than any exponent needs.
        "1.5e0000003", "-25E-0000000001", "+7e+00000000000000000000038", "1e-0", "3E00"}) {
    tokens.push_back(edge);
  }
  // Longer than the digits kept: digits far beyond them still decide a rounding (the tie lies
  // exactly between 1 and the next double).
  const std::string zeros(5000, '0'),
      tie = "1.00000000000000011102230246251565404236316680908203125";
  for (const std::string& token : {zeros + "1500.25", "0." + zeros + "15e5001",
                                   "-15" + zeros + "e-5000", tie, tie + zeros, tie + zeros + "1"}) {
    tokens.push_back(token);
  }

  int roundedOtherWayDirectly = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const std::string& token = tokens[i];
    double reference = 0;
    ASSERT_TRUE(CLibraryReads(AsCWritesIt(token), &reference)) << token;
    const DecimalReading reading = ReadDecimal(token);
    if (i % 16 == 0) {
      // As a token longer than any buffer arrives: in pieces of any size.
      DecimalAccumulator pieces;
      for (std::size_t at = 0, size = 0; at < token.size(); at += size) {
        size = 1 + random() % 9;
        pieces.Feed(std::string_view(token).substr(at, size));
      }
      const DecimalReading pieced = pieces.Finish();
      ASSERT_TRUE(pieced.status == reading.status && pieced.value == reading.value) << token;
    }
    if (!std::isfinite(static_cast<float>(reference))) {
      ASSERT_EQ(reading.status, DecimalStatus::kOutOfRange) << token;
      continue;
    }
    ASSERT_EQ(reading.status, DecimalStatus::kNumber) << token;
    ASSERT_EQ(std::memcmp(&reading.value, &reference, sizeof reference), 0) << token;
    roundedOtherWayDirectly += DirectFloat(token) != static_cast<float>(reference);
  }
  // The ties are really there: a direct reading to float differs on some of them.
  EXPECT_GT(roundedOtherWayDirectly, 1000);
}

// A token of digits, points, signs and exponent marks (e, or Fortran's D) is a number when the C
// library reads it whole; those marks anywhere else make it none. Hexadecimal is none either.
TEST(DecimalNumberTest, AcceptsOnlyWholeDecimalNumbers) {
  for (const char* bad : {"", "12a", "0x10", "1,5", "1 5", "12:30", "1/2"}) {
    EXPECT_EQ(ReadDecimal(bad).status, DecimalStatus::kNotANumber) << bad;
  }
  std::mt19937 random(5);
  const char alphabet[] = "01234567890123456789..+-eEdD:/";
  for (int i = 0; i < 300000; ++i) {
    std::string token;
    for (int k = 1 + random() % 10; k > 0; --k) token += alphabet[random() % (sizeof alphabet - 1)];
    const DecimalReading reading = ReadDecimal(token);
    double reference = 0;
    const bool number = CLibraryReads(AsCWritesIt(token), &reference);
    ASSERT_EQ(reading.status != DecimalStatus::kNotANumber, number) << token;
    ASSERT_TRUE(!number || !std::isfinite(static_cast<float>(reference)) ||
                std::memcmp(&reading.value, &reference, sizeof reference) == 0)
        << token;
  }
  EXPECT_EQ(ReadDecimal(std::string_view("1\0", 2)).status, DecimalStatus::kNotANumber);
  EXPECT_EQ(ReadDecimal("1e99999999999999999999").status, DecimalStatus::kOutOfRange);
  EXPECT_TRUE(std::signbit(ReadDecimal("-1e-99999999999").value));
  EXPECT_EQ(ReadDecimal("1." + std::string(5000, '0') + "x").status, DecimalStatus::kNotANumber);
}

#if !defined(_WIN32)
// A token at the very end of what may be read (the end of a mapped file, before a page that may
// not be read) is read without a byte past it, as anywhere else: tokens of every shape that stop
// at every point.
TEST(DecimalNumberTest, ReadsNoByteBeyondTheToken) {
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  void* const mapped =
      mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(mapped, MAP_FAILED);
  char* const end = static_cast<char*>(mapped) + page;
  ASSERT_EQ(mprotect(end, page, PROT_NONE), 0);
  for (const std::string whole :
       {"-12345.5e+0012", "+1234567890123456789012.5E-7", "-1.5D+03", "+nan(x1)", "-Infinity"}) {
    for (std::size_t length = 0; length <= whole.size(); ++length) {
      const std::string token = whole.substr(0, length);
      std::memcpy(end - token.size(), token.data(), token.size());
      const DecimalReading atTheEdge =
          ReadDecimal(std::string_view(end - token.size(), token.size()));
      const DecimalReading reading = ReadDecimal(token);
      EXPECT_TRUE(atTheEdge.status == reading.status &&
                  std::memcmp(&atTheEdge.value, &reading.value, sizeof reading.value) == 0)
          << token;
    }
  }
  munmap(mapped, 2 * page);
}
#endif

}  // namespace
