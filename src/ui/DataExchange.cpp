#include "ui/DataExchange.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

#include "ui/DialogWindow.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the run of digits at the start of text.
std::size_t DigitRun(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - from;
}

// True when text is wholly one decimal number: [sign] digits [. digits] [e [sign] digits],
// with at least one digit before the exponent.
bool IsDecimalNumber(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  std::size_t mantissaDigits = DigitRun(text, at);
  at += mantissaDigits;
  if (at < text.size() && text[at] == '.') {
    ++at;
    std::size_t fraction = DigitRun(text, at);
    at += fraction;
    mantissaDigits += fraction;
  }
  if (mantissaDigits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    std::size_t exponentDigits = DigitRun(text, at);
    if (exponentDigits == 0) return false;
    at += exponentDigits;
  }
  return at == text.size();
}

// Power of ten of the leading nonzero digit of a decimal number that is not zero
// (saturated far beyond any double's range).
long long DecimalOrder(std::string_view number) {
  std::size_t exponentAt = number.find_first_of("eE");
  std::string_view mantissa = number.substr(0, exponentAt);
  long long exponent = 0;
  if (exponentAt != std::string_view::npos) {
    std::string_view digits = number.substr(exponentAt + 1);
    bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
      digits.remove_prefix(1);
    for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1000000LL);
    if (negative) exponent = -exponent;
  }
  std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  std::size_t firstNonzero = mantissa.find_first_of("123456789");
  if (firstNonzero == std::string_view::npos) return 0;
  long long order = firstNonzero < point ? static_cast<long long>(point - firstNonzero) - 1
                                         : -static_cast<long long>(firstNonzero - point);
  return order + exponent;
}

}  // namespace

std::string FormatIntegerField(std::int32_t value) { return std::to_string(value); }

std::string FormatNumberField(float value) {
  char buffer[64];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  if (error != std::errc()) return std::string();
  return std::string(buffer, end);
}

bool ParseIntegerField(std::string_view text, std::int32_t& value) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || DigitRun(text, 0) != text.size()) return false;
  std::int64_t magnitude = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  std::int64_t result = negative ? -magnitude : magnitude;
  if (result < std::numeric_limits<std::int32_t>::min() ||
      result > std::numeric_limits<std::int32_t>::max()) {
    return false;
  }
  value = static_cast<std::int32_t>(result);
  return true;
}

bool ParseNumberField(std::string_view text, float& value) {
  text = TrimBlanks(text);
  if (!IsDecimalNumber(text)) return false;
  bool negative = text.front() == '-';
  if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
  double magnitude = 0.0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (error == std::errc::result_out_of_range) {
    // Beyond a double: far too large for a float, or so small that it is zero.
    if (DecimalOrder(text) > 0) return false;
    value = negative ? -0.0f : 0.0f;
    return true;
  }
  if (error != std::errc() || end != text.data() + text.size()) return false;
  if (!(magnitude <= std::numeric_limits<float>::max())) return false;
  float result = static_cast<float>(magnitude);
  value = negative ? -result : result;
  return true;
}

void DataExchange::Fail(const char* message) {
  failed_ = true;
  window_.ShowMessage(message);
}

void DataExchange::Text(int controlId, std::int32_t& value) {
  if (failed_) return;
  if (!takeIn_) {
    window_.SetControlText(controlId, FormatIntegerField(value));
    return;
  }
  std::int32_t parsed = 0;
  if (!ParseIntegerField(window_.GetControlText(controlId), parsed)) {
    Fail(kEnterIntegerMessage);
    return;
  }
  value = parsed;
}

void DataExchange::Text(int controlId, float& value) {
  if (failed_) return;
  if (!takeIn_) {
    window_.SetControlText(controlId, FormatNumberField(value));
    return;
  }
  float parsed = 0.0f;
  if (!ParseNumberField(window_.GetControlText(controlId), parsed)) {
    Fail(kEnterNumberMessage);
    return;
  }
  value = parsed;
}

void DataExchange::Text(int controlId, std::string& value) {
  if (failed_) return;
  if (takeIn_) {
    value = window_.GetControlText(controlId);
  } else {
    window_.SetControlText(controlId, value);
  }
}
