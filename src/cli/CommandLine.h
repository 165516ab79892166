#pragma once
// Options of one mvgtool command: "--name value", "--name=value", short "-o value", flags,
// options of two values ("--range MIN MAX"), operands, and "--" ending the options. Problems are
// returned as a Status, never thrown.

#include <string>
#include <vector>

#include "conversion/NamedChoices.h"
#include "grid/Status.h"

// The options by long name (a flag maps to ""), named in messages as options ("--nx").
struct ParsedCommandLine : NamedChoices {
  std::vector<std::string> operands;
  Status status;  // a usage problem, e.g. "unknown option \"--vq\""
  bool ok() const { return status.ok(); }
};

// A value is missing when the argument after "--name" is itself an option ("--x", or a short
// option such as "-o"), so "--vp -o out.mvg" is a mistake while "--dx -25" is a value.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const std::vector<OptionRule>& rules);
