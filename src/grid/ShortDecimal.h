#pragma once
// The usual token of a text grid ("1523.25", "-4500.1", "2710"), read quickly: eight characters
// at once as one word, straight to the float32 that the exact reading gives. Inline, so that a
// tokenizer loop keeps its constants in registers.
//
// Why the float is right: a token of at most seven digits is N / 10^k with N < 10^7 and k <= 7.
// Such a number is never a midpoint between two neighbouring floats (N would need 25 significant
// bits) and lies at least 1 / (5^k * 2^25) > 3e-13 (relative) away from every midpoint. So any
// double within that distance rounds to the float that the exact decimal rounds to: the correctly
// rounded double that atof gives, and N times the double nearest 10^-k (two roundings, at most
// 2.3e-16 off), which a multiplication gives far faster than a division.

#include <cstdint>
#include <cstring>

#include "grid/CompilerSupport.h"

#if defined(_MSC_VER) && !defined(__clang__)
#include <stdlib.h>
#endif

static_assert(kLittleEndianHost, "characters are read as one word");

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

inline constexpr double kNegativePowersOfTen[] = {1e0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7};

inline std::uint64_t ByteSwap(std::uint64_t word) {
#if defined(_MSC_VER) && !defined(__clang__)
  return _byteswap_uint64(word);
#else
  return __builtin_bswap64(word);
#endif
}

}  // namespace short_decimal

// A short decimal: its digit characters with the point taken out, and where the point was.
struct ShortDecimal {
  std::uint64_t characters = 0;  // the first in the lowest byte; bytes after the digits: any
  unsigned digitCount = 0;       // 1 to 7
  unsigned fractionDigits = 0;

  // The float32 of the decimal as every reading gives it: the nearest double, then the float32
  // nearest that (for at most 7 digits, this one product gives it).
  float Value() const {
    return static_cast<float>(
        static_cast<double>(short_decimal::DigitsValue(characters, digitCount)) *
        short_decimal::kNegativePowersOfTen[fractionDigits]);
  }
  bool StartsWithZero() const { return (characters & 0xFF) == '0'; }
  // For a decimal whose first digit is not 0: a key that orders such decimals as their values, far
  // cheaper than the value. More digits before the point mean a larger value; with as many, the
  // digits compare as text, left-aligned.
  std::uint64_t OrderKey() const {
    const std::uint64_t digits = characters & ((std::uint64_t{1} << (8 * digitCount)) - 1);
    return (std::uint64_t{digitCount - fractionDigits} << 56) |
           (short_decimal::ByteSwap(digits) >> 8);
  }
};

// The float32 of the decimal with that OrderKey.
inline float FloatOfOrderKey(std::uint64_t key) {
  ShortDecimal number;
  const unsigned integerDigits = static_cast<unsigned>(key >> 56);
  for (std::uint64_t text = key << 8; text != 0; text <<= 8) {
    number.characters |= (text >> 56) << (8 * number.digitCount++);
  }
  number.fractionDigits = number.digitCount - integerDigits;
  return number.Value();
}

// The number at p, given a map of the characters that are not digits (bit k set when p[k] is not
// a digit; bits 0 to 7 at least): digits with an optional point and fraction, one to seven digits
// in all, within the eight characters from p. Returns where the number stops, with the number; or
// null for no digits or too many. The caller checks that the stop ends the token: if it does not
// (a digit, a second point, a letter...), the token is something else, which ReadDecimal reads.
MVG_FORCE_INLINE const char* ReadShortUnsignedDecimal(const char* p, std::uint64_t notDigits,
                                                      ShortDecimal* number) {
  using namespace short_decimal;
  // Marks on p[8] and p[9] stand for a stop beyond the word: if there is a digit there, the
  // caller's check of the stop refuses the quick reading.
  notDigits |= 0x300;
  const unsigned integerDigits = LowestSetBit(notDigits);
  const bool point = p[integerDigits] == '.';
  const unsigned fractionStop = LowestSetBit(notDigits & (notDigits - 1));
  const unsigned end = point ? fractionStop : integerDigits;
  const unsigned digits = end - point;
  if (digits - 1 > 6) return nullptr;  // none, or more than seven: then also end <= 8
  number->fractionDigits = end - integerDigits - point;
  number->digitCount = digits;
  // The point taken out: the bytes after it move down by one.
  const std::uint64_t word = EightBytes(p);
  const std::uint64_t beforePoint = (std::uint64_t{1} << (8 * integerDigits)) - 1;
  number->characters = (word & beforePoint) | ((word >> 8) & ~beforePoint);
  return p + end;
}

// The map of the characters that are not digits among the eight from p on.
MVG_FORCE_INLINE std::uint64_t NotDigitsAt(const char* p) {
  using namespace short_decimal;
  // The top bit of each byte that is not a digit, gathered into bits 0 to 7.
  return ((NotDigits(EightBytes(p)) >> 7) * 0x0102040810204080) >> 56;
}

// The same, with an optional sign first and the map worked out here.
inline const char* ReadShortDecimal(const char* p, float* value) {
  const bool negative = *p == '-';
  p += negative || *p == '+';
  ShortDecimal number;
  const char* const stop = ReadShortUnsignedDecimal(p, NotDigitsAt(p), &number);
  if (stop != nullptr) *value = negative ? -number.Value() : number.Value();
  return stop;
}
