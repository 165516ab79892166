#pragma once
// A front end's choices by name, each given as text, as its user gave them: mvgtool's options
// ("--x-from 10"), the Python module's keywords (x_from=10). One name and one grammar for each
// choice in every front end; messages name a choice as the user's front end does.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "grid/Status.h"

// A choice a front end takes: its name, whether it takes a value or two ("--resample DX DZ").
struct OptionRule {
  std::string_view name;   // long name without dashes, e.g. "vp"
  char shortName = 0;      // e.g. 'o' for "-o"; 0 for none
  bool takesValue = true;  // false for flags such as --help
  bool takesTwo = false;   // two values, given apart: "--range 1500 4500"
};

struct NamedChoices {
  std::map<std::string, std::string> values;   // by name ("x-from"); a flag maps to ""
  std::map<std::string, std::string> seconds;  // the second value of a choice of two
  // How messages name choices: "--x-from" as options, "x_from" as keywords; a name spelled
  // otherwise by the front end, in `spellings`.
  enum class Style { kOptions, kKeywords } style = Style::kOptions;
  std::map<std::string, std::string> spellings;

  bool Has(const std::string& name) const { return values.count(name) != 0; }
  const std::string& Value(const std::string& name) const;   // "" when absent
  const std::string& Second(const std::string& name) const;  // "" when absent
  // "--x-from" or "x_from".
  std::string Named(const std::string& name) const;
  // The choice with a value, as its user writes it: "--density gardner", "density=\"gardner\"".
  std::string NamedWith(const std::string& name, const std::string& value) const;
  // A flag given, as its user writes it: "--flip-z", "flip_z=True".
  std::string NamedFlag(const std::string& name) const;
  // A value of a choice, as its user writes it beside the choice: gardner, "gardner".
  std::string Spelled(const std::string& value) const;
};

// An optional whole-number choice into value; `given` says whether it is there. Refused with
// "--nx needs a whole number, not \"2x\"".
Status TakeWholeNumber(const NamedChoices& choices, const std::string& name, bool& given,
                       std::int32_t& value);

// An optional number into value, kept when the choice is absent. Refused with
// "--water-vp needs a number, not \"x\"".
Status TakeNumber(const NamedChoices& choices, const std::string& name, float& value);
