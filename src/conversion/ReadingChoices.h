#pragma once
// How a front end's user says to read a grid, by name: order (rows|columns), flip-z,
// decimal-comma, form, skip-columns, skip-rows and coordinates (km|m), and for raw values raw and
// skip-bytes, into the choices the core reads with. A reading choice is added here, once for every
// front end.

#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "conversion/NamedChoices.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

std::vector<OptionRule> ReadingOptionRules();

// The choices by name into choices; refused with the problem: "--order must be rows or columns,
// not \"x\"", "--form must be plain, esri, surfer, triplets or matrix, not \"x\"",
// "--skip-columns needs a whole number of 0 or more, not \"-1\"", "--coordinates must be km or m,
// not \"x\"", "--raw must be f32le, f32be, f64le or f64be, not \"f16\"", "--skip-bytes is for raw
// values: give --raw too".
Status TakeReadingOptions(const NamedChoices& named, TextReadingChoices& choices);

// How findings name the reading choices that answer them, as the front end spells them: "--nx",
// "--skip-columns 1", "--flip-z"; from Python "nx", "skip_columns=1", "flip_z=True".
ChoiceNames ReadingChoiceNames(const NamedChoices& named);

// A reading's refusal, with the choice that decides where it is about commas that may be decimal
// commas or not ("...; --decimal-comma reads commas as decimal marks"; from Python,
// "decimal_comma=True reads ..."), about triplets told from the text (tripletsTold: "...; if it
// is a plain grid three values wide, --form plain reads it as one"), or about binary data of no
// form told from its bytes (rawUndecided: "...; --raw f32le, f32be, f64le or f64be (with --nx)
// reads it as raw values").
std::string WithReadingOption(const std::string& message, bool commasUndecided, bool tripletsTold,
                              const NamedChoices& named = NamedChoices(),
                              bool rawUndecided = false);
