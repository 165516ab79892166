#pragma once
// How mvgtool reads a text grid, for convert, sizes and picture alike: --order rows|columns,
// --flip-z, --decimal-comma and --coordinates km|m, into the choices the core reads with.

#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

// withFlip: --flip-z, for the commands that make a grid of the values.
std::vector<OptionRule> ReadingOptionRules(bool withFlip);

// The options into choices; refused with the usage problem: "--order must be rows or columns,
// not \"x\"".
Status TakeReadingOptions(const ParsedCommandLine& line, TextReadingChoices& choices);

// A reading's refusal, with the option that decides where it is about commas that may be decimal
// commas or not.
std::string WithCommaOption(const std::string& message, bool commasUndecided);

// The help text of the options, for the commands' --help.
extern const char kReadingOptionsHelp[];
extern const char kFlipOptionHelp[];
