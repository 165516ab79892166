#pragma once
// The usual token of a text grid ("1523.25", "-4500.1", "2710"), read quickly: eight characters
// at once as one word. Inline, so that a tokenizer loop keeps its constants in registers.

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

// The value of the first `count` (1 to 7) characters of a word, all digits.
inline std::uint64_t DigitsValue(std::uint64_t word, unsigned count) {
  // Move the digits to the end, put '0's before them, and add up eight digits at once.
  word = (word << (64 - 8 * count)) | (0x3030303030303030 >> (8 * count));
  word -= 0x3030303030303030;
  word = word * 10 + (word >> 8);
  return (((word & 0x000000FF000000FF) * 0x000F424000000064) +
          (((word >> 16) & 0x000000FF000000FF) * 0x0000271000000001)) >>
         32;
}

inline constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};

}  // namespace short_decimal

// An optional sign, then within the next eight characters: digits with an optional point and
// fraction (at least one digit), ended by a character that is neither. Returns where the number
// stops, with its value correctly rounded (under 10^7 with at most 6 decimals: one exact
// division); null for anything else, which ReadDecimal reads. The caller decides whether the
// stop ends the token.
__attribute__((always_inline)) inline const char* ReadShortDecimal(const char* p, double* value) {
  using namespace short_decimal;
  const bool negative = *p == '-';
  p += (*p == '-') | (*p == '+');
  const std::uint64_t word = EightBytes(p);
  const std::uint64_t notDigits = NotDigits(word);
  if (notDigits == 0) return nullptr;
  const unsigned integerDigits = static_cast<unsigned>(__builtin_ctzll(notDigits)) / 8;
  const bool point = ((word >> (8 * integerDigits)) & 0xFF) == '.';
  double magnitude;
  const char* stop;
  if (point) {
    // The fraction must end within the word; the digits on both sides are joined into one run.
    const std::uint64_t later =
        integerDigits < 7 ? notDigits & (~std::uint64_t{0} << (8 * integerDigits + 8)) : 0;
    if (later == 0) return nullptr;
    const unsigned end = static_cast<unsigned>(__builtin_ctzll(later)) / 8;
    const unsigned fractionDigits = end - integerDigits - 1;
    const unsigned digits = integerDigits + fractionDigits;
    if (digits == 0) return nullptr;
    const std::uint64_t integerPart = word & ((std::uint64_t{1} << (8 * integerDigits)) - 1);
    const std::uint64_t joined =
        integerPart | ((word >> (8 * integerDigits + 8)) << (8 * integerDigits));
    magnitude = static_cast<double>(DigitsValue(joined, digits)) / kPowersOfTen[fractionDigits];
    stop = p + end;
  } else {
    if (integerDigits == 0) return nullptr;
    magnitude = static_cast<double>(DigitsValue(word, integerDigits));
    stop = p + integerDigits;
  }
  *value = negative ? -magnitude : magnitude;
  return stop;
}
