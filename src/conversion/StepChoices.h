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

// Refused, naming both, when dx or dz differs from the step that `name`'s form states:
// "--dx 25 contradicts --vp vp.asc: the ESRI ASCII grid header gives dx 20".
Status CheckStepsAgainstForm(float dx, float dz, const std::string& name, const TextGridForm& form,
                             const NamedChoices& named = NamedChoices());
