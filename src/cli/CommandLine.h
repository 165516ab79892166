#pragma once
// Options of one mvgtool command: "--name value", "--name=value", short "-o value", flags,
// options of two values ("--range MIN MAX"), operands, and "--" ending the options. Problems are
// returned as a Status, never thrown.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "grid/Status.h"

struct OptionRule {
  std::string_view name;   // long name without dashes, e.g. "vp"
  char shortName = 0;      // e.g. 'o' for "-o"; 0 for none
  bool takesValue = true;  // false for flags such as --help
  bool takesTwo = false;   // two values, given apart: "--range 1500 4500"
};

struct ParsedCommandLine {
  std::map<std::string, std::string> values;   // by long name; a flag maps to ""
  std::map<std::string, std::string> seconds;  // the second value of an option of two
  std::vector<std::string> operands;
  Status status;  // a usage problem, e.g. "unknown option \"--vq\""
  bool ok() const { return status.ok(); }
  bool Has(const std::string& name) const { return values.count(name) != 0; }
  const std::string& Value(const std::string& name) const;   // "" when absent
  const std::string& Second(const std::string& name) const;  // "" when absent
};

// A value is missing when the argument after "--name" is itself an option ("--x", or a short
// option such as "-o"), so "--vp -o out.mvg" is a mistake while "--dx -25" is a value.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const std::vector<OptionRule>& rules);

// An optional whole-number option into value; `given` says whether it is there. Refused with
// "--nx needs a whole number, not \"2x\"".
Status TakeWholeNumber(const ParsedCommandLine& line, const std::string& name, bool& given,
                       std::int32_t& value);
