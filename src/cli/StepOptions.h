#pragma once
// The grid steps on mvgtool's command line, --dx and --dz, read as the dialog reads its step
// fields, for convert and picture alike.

#include <string>

#include "cli/CommandLine.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

// The option's number into step, when given; refused with the usage problem.
Status TakeStepOption(const ParsedCommandLine& line, const std::string& name, float& step);

// Refused, with the usage problem, when a step is neither given (hasDx, hasDz) nor stated by the
// form of the file `name` (a SEG-Y file may prove dx alone):
//   "no steps: give --dx and --dz, the grid steps in m"
//   "no --dz: give the grid step along Z in m"      "no --dx: give the grid step along X in m"
// and where a form says what its Z step may be, with it:
//   "no --dz: --vp m.sgy states no depth step, only a sample interval, in microseconds by the
//    standard (sample interval 1250: 1.25 m if in mm); give the grid step along Z in m"
Status CheckStepsKnown(bool hasDx, bool hasDz, const std::string& name, const TextGridForm& form);

// Refused, naming both, when a given --dx or --dz differs from the step that `name`'s form states.
Status CheckStepsAgainstForm(bool hasDx, float dx, bool hasDz, float dz, const std::string& name,
                             const TextGridForm& form);
