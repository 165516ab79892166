#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class DialogWindow;

inline constexpr char kEnterIntegerMessage[] = "Please enter an integer.";
inline constexpr char kEnterNumberMessage[] = "Please enter a number.";

// Field texts as the dialog framework shows and validates them.
// Integers in decimal; floats in general notation with six significant digits ("1", "1e+30").
std::string FormatIntegerField(std::int32_t value);
std::string FormatNumberField(float value);
// Blanks (space, tab) around an optional sign and digits; the value must fit in 32 bits.
bool ParseIntegerField(std::string_view text, std::int32_t& value);
// Blanks around one whole decimal number (sign, digits, point, fraction, exponent), finite as a
// float. "inf", "nan" and hexadecimal are not numbers here.
bool ParseNumberField(std::string_view text, float& value);

// One run of a dialog's exchange routine: either shows members in their controls, or takes the
// controls' texts into the members. While taking in, the first field that fails validation is
// reported in a message box and ends the run: the exchanges after it change nothing.
class DataExchange {
 public:
  DataExchange(DialogWindow& window, bool takeIn) : window_(window), takeIn_(takeIn) {}

  bool takingIn() const { return takeIn_; }
  bool failed() const { return failed_; }

  void Text(int controlId, std::int32_t& value);
  void Text(int controlId, float& value);
  void Text(int controlId, std::string& value);

 private:
  void Fail(const char* message);

  DialogWindow& window_;
  bool takeIn_;
  bool failed_ = false;
};
