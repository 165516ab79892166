#pragma once
// How a front end's user says to read a text grid, by name: order (rows|columns), flip-z,
// decimal-comma, form, skip-columns, skip-rows and coordinates (km|m), into the choices the core
// reads with. A reading choice is added here, once for every front end.

#include <string>
#include <vector>

#include "conversion/NamedChoices.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

std::vector<OptionRule> ReadingOptionRules();

// The choices by name into choices; refused with the problem: "--order must be rows or columns,
// not \"x\"", "--form must be plain, esri, surfer, triplets or matrix, not \"x\"",
// "--skip-columns needs a whole number of 0 or more, not \"-1\"", "--coordinates must be km or m,
// not \"x\"".
Status TakeReadingOptions(const NamedChoices& named, TextReadingChoices& choices);

// A reading's refusal, with the choice that decides where it is about commas that may be decimal
// commas or not ("...; --decimal-comma reads commas as decimal marks"), or about triplets told
// from the text (tripletsTold: "...; if it is a plain grid three values wide, --form plain reads
// it as one").
std::string WithReadingOption(const std::string& message, bool commasUndecided, bool tripletsTold,
                              const NamedChoices& named = NamedChoices());
