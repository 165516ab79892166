#pragma once
// Exact reading of the decimal numbers of a text grid: a token is read as the C library's atof
// reads it (rounded to the nearest double), and it must be wholly a decimal number. Its float32 is
// that double rounded again, as a cast does, so that files match those written before byte for
// byte: a decimal within a hair of a tie between two floats may round otherwise than a direct
// rounding to float32 would ("1.0000000596046448" gives 1.0f, 0x3f800000, not 0x3f800001).
// Fortran's D exponent (1.5D+03) reads as E does; NaN and infinities are told apart from words.

#include <cstddef>
#include <cstdint>
#include <string_view>

// kNaN: "nan" in any case, after an optional sign, or "nan(...)" as C libraries print it; a grid
// holds it where it has no value.
enum class DecimalStatus { kNumber, kNotANumber, kOutOfRange, kNaN };

struct DecimalReading {
  DecimalStatus status = DecimalStatus::kNotANumber;
  double value = 0.0;  // the nearest double; finite as a float32 when status is kNumber
};

// Reads a whole token: optional sign, digits with an optional point and fraction (at least one
// digit), optional exponent (e, E, d or D, optional sign, digits). kOutOfRange when the value is
// not finite once rounded to float32, "inf" and "infinity" (any case, signed or not) among them.
DecimalReading ReadDecimal(std::string_view token);

// The same reading for a token that arrives in pieces (a token longer than any read buffer).
// Keeps a bounded state whatever the token's length.
class DecimalAccumulator {
 public:
  void Feed(std::string_view piece);
  DecimalReading Finish() const;
  // Whether what was fed can no longer start a number, whatever follows (a NUL byte, a letter).
  bool NeverANumber() const { return part_ == Part::kBad; }

 private:
  // A double's rounding never depends on more than 768 significant digits; the rest only counts
  // as "some digit after them is not zero".
  static constexpr int kMaxDigits = 800;
  enum class Part : std::uint8_t {
    kStart,
    kAfterSign,
    kInteger,
    kFraction,
    kExponentMark,
    kExponentSign,
    kExponent,
    kBad
  };
  void AddDigit(char digit, bool inFraction);

  Part part_ = Part::kStart;
  bool negative_ = false;
  bool exponentNegative_ = false;
  bool anyMantissaDigit_ = false;
  bool nonZeroAfterKept_ = false;
  int keptDigits_ = 0;
  std::int64_t pointExponent_ = 0;  // value = 0.<digits> x 10^(pointExponent_ +/- exponent_)
  std::int64_t exponent_ = 0;       // saturates far beyond any double
  char digits_[kMaxDigits] = {};
};
