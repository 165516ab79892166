#pragma once
// How the C library reads a number: strtod, correctly rounded to double, beyond the range of
// doubles an infinity or a zero. MinGW's strtod does not round correctly: there std::from_chars,
// which must, stands in for it.

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

// The double of the whole token, as strtod reads it; false when strtod does not read it whole.
// For tokens of digits, points, signs and the exponent marks e and E: what else strtod reads
// (hexadecimal, infinities, NaN) is no decimal number.
inline bool CLibraryReads(const std::string& token, double* value) {
  char* end = nullptr;
  *value = std::strtod(token.c_str(), &end);
  if (token.empty() || end != token.c_str() + token.size()) return false;
#if defined(__MINGW32__)
  const char* const digits = token.c_str() + (token[0] == '+');
  if (std::from_chars(digits, end, *value).ec != std::errc{}) {
    const std::size_t e = token.find_first_of("eE");
    *value = e != std::string::npos && std::atoi(token.c_str() + e + 1) > 0 ? HUGE_VAL : 0;
    if (token[0] == '-') *value = -*value;
  }
#endif
  return true;
}
