#pragma once
// The grid steps by name, dx and dz (numbers taken by TakeNumber, as the dialog reads its step
// fields), for every front end that takes them as choices.

#include <string>

#include "conversion/NamedChoices.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

// Refused when one of dx and dz is given without the other: "no --dz: give the grid step along
// Z in m".
Status CheckOneStepNotMissing(const NamedChoices& named);

// Refused, naming both, when dx or dz, as `named` gives them, differs from the step that `name`'s
// form states: "--dx 25 contradicts --vp vp.asc: the ESRI ASCII grid header gives dx 20".
Status CheckStepsAgainstForm(float dx, float dz, const std::string& name, const TextGridForm& form,
                             const NamedChoices& named);

// Refused when a step is neither given by `named` nor stated by the form of the file `name` (a
// SEG-Y file may prove dx alone):
//   "no steps: give --dx and --dz, the grid steps in m"
//   "no --dz: give the grid step along Z in m"      "no --dx: give the grid step along X in m"
// and where the form says what its Z step may be, with it:
//   "no --dz: --vp m.sgy states no depth step, only a sample interval, in microseconds by the
//    standard (sample interval 1250: 1.25 m if in mm); give the grid step along Z in m"
Status CheckStepsKnown(const NamedChoices& named, const std::string& name,
                       const TextGridForm& form);
