#pragma once
// How mvgtool reads a text grid, for convert, sizes and picture alike: --order rows|columns,
// --flip-z, --decimal-comma, --form, --skip-columns / --skip-rows and --coordinates km|m, into the
// choices the core reads with.

#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

// withFlip: --flip-z, for the commands that make a grid of the values.
std::vector<OptionRule> ReadingOptionRules(bool withFlip);

// The options into choices; refused with the usage problem: "--order must be rows or columns,
// not \"x\"", "--form must be plain, esri, surfer, triplets or matrix, not \"x\"",
// "--skip-columns needs a whole number of 0 or more, not \"-1\"".
Status TakeReadingOptions(const ParsedCommandLine& line, TextReadingChoices& choices);

// The names of the reading options, for a command that refuses them for grid files.
extern const char* const kReadingOptionNames[7];

// A reading's refusal, with the option that decides where it is about commas that may be decimal
// commas or not, or about triplets told from the text (tripletsTold).
std::string WithReadingOption(const std::string& message, bool commasUndecided, bool tripletsTold);

// The help text of the options, for the commands' --help.
extern const char kReadingOptionsHelp[];
extern const char kFlipOptionHelp[];
