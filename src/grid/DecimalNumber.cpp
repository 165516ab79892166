#include "grid/DecimalNumber.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "grid/AsciiCase.h"

// One multiplication or division of exact doubles is correctly rounded only when the
// arithmetic is done in double precision itself (SSE2, not the x87 unit).
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must round to double");

namespace {

constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kLargestExactInteger = std::uint64_t{1} << 53;

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }
// Fortran writes D (or d) for the exponent of a double precision value: the same number.
bool IsExponentMark(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// mantissa x 10^power10 in one correctly rounded operation, when both factors are exact
// doubles (Clinger's fast path). False when the slow exact way is needed.
inline bool ExactProduct(std::uint64_t mantissa, std::int64_t power10, double* value) {
  if (mantissa == 0) {
    *value = 0.0;
    return true;
  }
  while (mantissa > kLargestExactInteger && mantissa % 10 == 0) {
    mantissa /= 10;
    ++power10;
  }
  if (mantissa > kLargestExactInteger || power10 < -22 || power10 > 22) return false;
  const double m = static_cast<double>(mantissa);
  *value = power10 >= 0 ? m * kExactPowersOfTen[power10] : m / kExactPowersOfTen[-power10];
  return true;
}

DecimalReading Finished(bool negative, double magnitude) {
  DecimalReading reading;
  reading.value = negative ? -magnitude : magnitude;
  const float single = static_cast<float>(reading.value);
  reading.status = std::isfinite(single) ? DecimalStatus::kNumber : DecimalStatus::kOutOfRange;
  return reading;
}

// "nan", "nan(ind)", "-inf", "Infinity"...: what C libraries and Fortran print for values that
// are not finite. The longest reads far below a long token's length, so a token read in pieces
// never is one.
bool ReadNonFinite(std::string_view token, DecimalReading* reading) {
  constexpr std::size_t kLongest = 64;
  if (token.size() > kLongest) return false;
  const bool negative = !token.empty() && token[0] == '-';
  if (!token.empty() && (token[0] == '-' || token[0] == '+')) token.remove_prefix(1);
  if (SameIgnoringAsciiCase(token, "inf") || SameIgnoringAsciiCase(token, "infinity")) {
    reading->status = DecimalStatus::kOutOfRange;
    reading->value = negative ? -std::numeric_limits<double>::infinity()
                              : std::numeric_limits<double>::infinity();
    return true;
  }
  if (token.size() < 3 || !SameIgnoringAsciiCase(token.substr(0, 3), "nan")) return false;
  token.remove_prefix(3);
  if (!token.empty()) {
    // nan(chars): letters, digits and underscores between the brackets.
    if (token.front() != '(' || token.back() != ')') return false;
    for (const char c : token.substr(1, token.size() - 2)) {
      const char lower = AsciiLower(c);
      if (!IsDigit(c) && !(lower >= 'a' && lower <= 'z') && c != '_') return false;
    }
  }
  reading->status = DecimalStatus::kNaN;
  reading->value = std::numeric_limits<double>::quiet_NaN();
  return true;
}

}  // namespace

DecimalReading ReadDecimal(std::string_view token) {
  // The usual short token ("1523.25", "-2.5e3"): read in one go, Clinger's fast path.
  // Anything else: NaN and infinities, or the accumulator, which decides alone what is a number.
  const char* p = token.data();
  const char* const end = p + token.size();
  bool negative = false;
  if (p != end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  std::uint64_t mantissa = 0;
  const char* const integerStart = p;
  while (p != end && IsDigit(*p)) mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
  const std::ptrdiff_t integerDigits = p - integerStart;
  std::ptrdiff_t fractionDigits = 0;
  if (p != end && *p == '.') {
    const char* const fractionStart = ++p;
    while (p != end && IsDigit(*p)) mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
    fractionDigits = p - fractionStart;
  }
  const std::ptrdiff_t mantissaDigits = integerDigits + fractionDigits;
  if (mantissaDigits > 0 && mantissaDigits <= 19) {
    std::int64_t exponent = 0;
    bool exponentOk = true;
    if (p != end && IsExponentMark(*p)) {
      ++p;
      bool exponentNegative = false;
      if (p != end && (*p == '-' || *p == '+')) exponentNegative = *p++ == '-';
      const char* const exponentStart = p;
      while (p != end && IsDigit(*p) && p - exponentStart < 6)
        exponent = exponent * 10 + (*p++ - '0');
      exponentOk = p != exponentStart;
      if (exponentNegative) exponent = -exponent;
    }
    double magnitude = 0.0;
    if (exponentOk && p == end && ExactProduct(mantissa, exponent - fractionDigits, &magnitude)) {
      return Finished(negative, magnitude);
    }
  }
  DecimalReading nonFinite;
  if (ReadNonFinite(token, &nonFinite)) return nonFinite;
  DecimalAccumulator accumulator;
  accumulator.Feed(token);
  return accumulator.Finish();
}

void DecimalAccumulator::AddDigit(char digit, bool inFraction) {
  anyMantissaDigit_ = true;
  if (keptDigits_ == 0 && digit == '0') {
    // A leading zero: only its place counts.
    if (inFraction) --pointExponent_;
    return;
  }
  if (keptDigits_ < kMaxDigits) {
    digits_[keptDigits_++] = digit;
  } else if (digit != '0') {
    nonZeroAfterKept_ = true;
  }
  if (!inFraction) ++pointExponent_;
}

void DecimalAccumulator::Feed(std::string_view piece) {
  constexpr std::int64_t kExponentCeiling = std::int64_t{1} << 40;
  for (const char c : piece) {
    switch (part_) {
      case Part::kStart:
        if (c == '-' || c == '+') {
          negative_ = c == '-';
          part_ = Part::kAfterSign;
          break;
        }
        [[fallthrough]];
      case Part::kAfterSign:
        if (IsDigit(c)) {
          AddDigit(c, false);
          part_ = Part::kInteger;
        } else {
          part_ = c == '.' ? Part::kFraction : Part::kBad;
        }
        break;
      case Part::kInteger:
        if (IsDigit(c)) {
          AddDigit(c, false);
        } else if (c == '.') {
          part_ = Part::kFraction;
        } else {
          part_ = IsExponentMark(c) ? Part::kExponentMark : Part::kBad;
        }
        break;
      case Part::kFraction:
        if (IsDigit(c)) {
          AddDigit(c, true);
        } else {
          part_ = anyMantissaDigit_ && IsExponentMark(c) ? Part::kExponentMark : Part::kBad;
        }
        break;
      case Part::kExponentMark:
        if (c == '-' || c == '+') {
          exponentNegative_ = c == '-';
          part_ = Part::kExponentSign;
          break;
        }
        [[fallthrough]];
      case Part::kExponentSign:
      case Part::kExponent:
        if (IsDigit(c)) {
          if (exponent_ < kExponentCeiling) exponent_ = exponent_ * 10 + (c - '0');
          part_ = Part::kExponent;
        } else {
          part_ = Part::kBad;
        }
        break;
      case Part::kBad:
        return;
    }
  }
}

DecimalReading DecimalAccumulator::Finish() const {
  const bool complete =
      part_ == Part::kExponent ||
      ((part_ == Part::kInteger || part_ == Part::kFraction) && anyMantissaDigit_);
  if (!complete) return DecimalReading{};
  if (keptDigits_ == 0) return Finished(negative_, 0.0);

  // value = 0.<digits> x 10^decimalExponent; beyond these bounds every double overflows or
  // underflows (and so does every float32).
  const std::int64_t decimalExponent =
      pointExponent_ + (exponentNegative_ ? -exponent_ : exponent_);
  if (decimalExponent > 400) return Finished(negative_, std::numeric_limits<double>::infinity());
  if (decimalExponent < -400) return Finished(negative_, 0.0);

  if (keptDigits_ <= 19 && !nonZeroAfterKept_) {
    std::uint64_t mantissa = 0;
    for (int i = 0; i < keptDigits_; ++i)
      mantissa = mantissa * 10 + static_cast<unsigned>(digits_[i] - '0');
    double magnitude = 0.0;
    if (ExactProduct(mantissa, decimalExponent - keptDigits_, &magnitude)) {
      return Finished(negative_, magnitude);
    }
  }

  // The exact way: a canonical text for std::from_chars. A digit 1 after the kept digits stands
  // for the dropped ones; it falls on the same side of every rounding midpoint as they do.
  char text[kMaxDigits + 32];
  std::size_t length = 0;
  text[length++] = '0';
  text[length++] = '.';
  for (int i = 0; i < keptDigits_; ++i) text[length++] = digits_[i];
  if (nonZeroAfterKept_) text[length++] = '1';
  text[length++] = 'e';
  length = static_cast<std::size_t>(
      std::to_chars(text + length, text + sizeof text, decimalExponent).ptr - text);
  double magnitude = 0.0;
  const std::from_chars_result result = std::from_chars(text, text + length, magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    magnitude = decimalExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc() || result.ptr != text + length) {
    return DecimalReading{};  // cannot happen for the canonical text
  }
  return Finished(negative_, magnitude);
}
