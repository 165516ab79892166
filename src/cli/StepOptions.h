#pragma once
// The grid steps on mvgtool's command line, --dx and --dz, read as the dialog reads its step
// fields, for convert and picture alike.

#include <string>

#include "cli/CommandLine.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

// The option's number into step, when given; refused with the usage problem.
Status TakeStepOption(const ParsedCommandLine& line, const std::string& name, float& step);

// Refused when one of --dx and --dz is given without the other.
Status CheckOneStepNotMissing(const ParsedCommandLine& line);

// Refused, naming both, when --dx or --dz differs from the step that `name`'s form states.
Status CheckStepsAgainstForm(float dx, float dz, const std::string& name, const TextGridForm& form);
