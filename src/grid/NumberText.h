#pragma once
// Numbers as users type them (the dialog's fields, mvgtool's options) and as they are shown. A
// typed number is read by the same grammar as a text grid's token: blanks around it are
// dropped, and the rest must be one decimal number, so that a value accepted in one place is
// accepted, with the same float, everywhere.

#include <cstdint>
#include <string>
#include <string_view>

// A typed field's text without the blanks (spaces, tabs) around it.
std::string_view WithoutBlanks(std::string_view text);

// Blanks (spaces, tabs) around one decimal number as a text grid token holds it: optional sign,
// digits with an optional point and fraction, optional exponent. The nearest double, then the
// float32 nearest it (DecimalNumber.h); false when the text is no such number or the float is not
// finite.
bool ReadFloat32(std::string_view text, float* value);
// Blanks around an optional sign and decimal digits; false when beyond 32 bits.
bool ReadInt32(std::string_view text, std::int32_t* value);

std::string FormatInteger(std::int64_t value);
// General notation with six significant digits, as the dialog shows counts and ranges ("1500",
// "1e+30", "0.3048").
std::string FormatSixDigits(float value);
// General notation with the given number of significant digits.
std::string FormatSignificant(float value, int digits);
// The shortest text that reads back to the same float ("12.345679", "304.80002").
std::string FormatShortest(float value);
