#pragma once
// The grid steps on mvgtool's command line, --dx and --dz, read as the dialog reads its step
// fields, for convert and picture alike.

#include <string>

#include "cli/CommandLine.h"

// The option's number into step, when given; returns the usage problem, "" when fine.
std::string TakeStepOption(const ParsedCommandLine& line, const std::string& name, float& step);

// The problem when one of --dx and --dz is given without the other, "" otherwise.
std::string OneStepMissing(const ParsedCommandLine& line);
