#include "grid/NumberText.h"

#include <charconv>
#include <limits>
#include <system_error>

#include "grid/DecimalNumber.h"

namespace {

std::string FloatText(float value, std::chars_format format, int precision) {
  char text[64];
  const std::to_chars_result result =
      precision > 0 ? std::to_chars(text, text + sizeof text, value, format, precision)
                    : std::to_chars(text, text + sizeof text, value);
  return result.ec == std::errc() ? std::string(text, result.ptr) : std::string();
}

}  // namespace

std::string_view WithoutBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool ReadFloat32(std::string_view text, float* value) {
  const DecimalReading reading = ReadDecimal(WithoutBlanks(text));
  if (reading.status != DecimalStatus::kNumber) return false;
  *value = static_cast<float>(reading.value);
  return true;
}

bool ReadInt32(std::string_view text, std::int32_t* value) {
  text = WithoutBlanks(text);
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty()) return false;
  std::int64_t magnitude = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return false;
  }
  const std::int64_t result = negative ? -magnitude : magnitude;
  if (result > std::numeric_limits<std::int32_t>::max()) return false;
  *value = static_cast<std::int32_t>(result);
  return true;
}

std::string FormatInteger(std::int64_t value) { return std::to_string(value); }

std::string FormatSixDigits(float value) { return FormatSignificant(value, 6); }

std::string FormatSignificant(float value, int digits) {
  return FloatText(value, std::chars_format::general, digits);
}

std::string FormatShortest(float value) { return FloatText(value, std::chars_format::general, 0); }
