#pragma once
// Exact reading of the decimal numbers of a text grid: a token is read as the C library's atof
// reads it (correctly rounded to double), and it must be wholly a decimal number. Fortran's D
// exponent (1.5D+03) reads as E does; NaN and infinities are told apart from words.

#include <cstddef>
#include <cstdint>
#include <string_view>

// kNaN: "nan" in any case, after an optional sign, or "nan(...)" as C libraries print it; a grid
// holds it where it has no value.
enum class DecimalStatus { kNumber, kNotANumber, kOutOfRange, kNaN };

struct DecimalReading {
  DecimalStatus status = DecimalStatus::kNotANumber;
  double value = 0.0;  // correctly rounded; finite as a float32 when status is kNumber
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
