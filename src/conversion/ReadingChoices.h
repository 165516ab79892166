#pragma once
// How a front end's user says to read a text grid, by name: order (rows|columns), flip-z and
// decimal-comma, into the choices the core reads with. New reading choices are added here, once
// for every front end.

#include <string>
#include <vector>

#include "conversion/NamedChoices.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

// withFlip: flip-z, for the commands that make a grid of the values.
std::vector<OptionRule> ReadingOptionRules(bool withFlip);

// The choices by name into choices; refused with the problem: "--order must be rows or columns,
// not \"x\"".
Status TakeReadingOptions(const NamedChoices& named, TextReadingChoices& choices);

// A reading's refusal, with the choice that decides where it is about commas that may be decimal
// commas or not: "...; --decimal-comma reads commas as decimal marks".
std::string WithCommaOption(const std::string& message, bool commasUndecided,
                            const NamedChoices& named = NamedChoices());
