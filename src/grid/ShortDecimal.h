#pragma once
// The usual token of a text grid ("1523.25", "-4500.1", "2710"), read quickly: eight characters
// at once as one word, straight to the float32 that the exact reading gives. Inline, so that a
// tokenizer loop keeps its constants in registers.
//
// Why the float is right: a token of at most seven digits is N / 10^k with N < 10^7 < 2^24 and
// k <= 6, both exact as floats, so one float division rounds the decimal correctly to float. The
// correctly rounded double that atof gives rounds to the same float: such a number is never a
// midpoint between two neighbouring floats (N would need 25 significant bits) and lies at least
// 1 / (5^k * 2^25) > 1e-12 (relative) away from every midpoint, far beyond a double's rounding.

#include <cstdint>
#include <cstring>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "characters are read as one word");

// Bytes that ReadShortDecimal may read from the start of a token on.
inline constexpr std::size_t kShortDecimalReadAhead = 16;

namespace short_decimal {

inline std::uint64_t EightBytes(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);  // the first character in the lowest byte
  return word;
}

// The top bit of every byte that is not a digit; exact for each byte (no carry between bytes).
inline std::uint64_t NotDigits(std::uint64_t word) {
  const std::uint64_t offset = word ^ 0x3030303030303030;
  return (((offset & 0x7F7F7F7F7F7F7F7F) + 0x7676767676767676) | offset) & 0x8080808080808080;
}

// The value of the first `count` (1 to 8) characters of a word, all digits.
inline std::uint64_t DigitsValue(std::uint64_t word, unsigned count) {
  // Digit values, moved to the top so that zeros come in before them; bytes after the digits may
  // borrow, but only upwards, and they are shifted out. Then eight digits are added up at once.
  word = (word - 0x3030303030303030) << (64 - 8 * count);
  word = word * 10 + (word >> 8);
  return (((word & 0x000000FF000000FF) * 0x000F424000000064) +
          (((word >> 16) & 0x000000FF000000FF) * 0x0000271000000001)) >>
         32;
}

inline constexpr float kFloatPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f};

}  // namespace short_decimal

// Within the eight characters from p: digits with an optional point and fraction (one to seven
// digits in all), ended by a character that is neither. Returns where the number stops, with its
// value as a float32 equal to the correctly rounded double of the decimal rounded to float32; null
// (or a stop that does not end the token: a digit) for anything else, which ReadDecimal reads.
// The caller decides whether the stop ends the token.
__attribute__((always_inline)) inline const char* ReadShortUnsignedDecimal(const char* p,
                                                                           float* value) {
  using namespace short_decimal;
  constexpr std::uint64_t kLastByteMark = 0x8000000000000000;  // stands for a stop beyond the word
  const std::uint64_t word = EightBytes(p);
  const std::uint64_t notDigits = NotDigits(word);
  // Eight digits stop at the mark, on a digit: not a quick token.
  const unsigned pointShift = static_cast<unsigned>(__builtin_ctzll(notDigits | kLastByteMark)) - 7;
  const unsigned integerDigits = pointShift / 8;
  const bool point = ((word >> pointShift) & 0xFF) == '.';
  // The fraction runs to the next non-digit (the mark when none is within the word).
  const unsigned fractionStop =
      static_cast<unsigned>(__builtin_ctzll((notDigits & (notDigits - 1)) | kLastByteMark)) / 8;
  const unsigned end = point ? fractionStop : integerDigits;
  const unsigned digits = end - point;
  const unsigned fractionDigits = end - integerDigits - point;
  // No digit at all, or a point in the last byte (its fraction unseen).
  if (digits - 1 > 6 || fractionDigits > 6) return nullptr;
  // The point taken out: the bytes after it move down by one.
  const std::uint64_t beforePoint = (std::uint64_t{1} << pointShift) - 1;
  const std::uint64_t joined = (word & beforePoint) | ((word >> 8) & ~beforePoint);
  *value = static_cast<float>(DigitsValue(joined, digits)) / kFloatPowersOfTen[fractionDigits];
  return p + end;
}

// The same with an optional sign first.
inline const char* ReadShortDecimal(const char* p, float* value) {
  const bool negative = *p == '-';
  const char* const stop = ReadShortUnsignedDecimal(p + (negative || *p == '+'), value);
  if (negative) *value = -*value;
  return stop;
}
