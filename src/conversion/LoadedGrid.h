#pragma once
// The grid that loaded text grids make, as both front ends settle it: what their forms state
// (the X size and steps of an ESRI grid, a Surfer grid or triplets) preselects the user's
// choices, several files must agree on it, and the values are put in the grid's order once its
// X size is chosen.

#include <cstdint>
#include <string>

#include "conversion/PropertyLoad.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

// "" when two loaded files agree on what their forms state (sizes and steps, where both state
// them), else:
//   "--density rho.grd gives nx 250, nz 348, dx 40, dz 10, but --vp vp.asc gives nx 500,
//    nz 174, dx 20, dz 20: all input files must have the same sizes and steps"
std::string SameGridProblem(const std::string& name, const TextGridForm& form,
                            const std::string& otherName, const TextGridForm& other);

// A value the user gave (`given`, as the user knows it: "--nx 250") against the one the file
// states for the same thing (`what`: "nx", "dx" or "dz"); "" when they agree or the file states
// none, else:
//   "--nx 250 contradicts --vp vp.asc: the ESRI ASCII grid header gives nx 500"
std::string Contradiction(const std::string& given, float value, const std::string& what,
                          const std::string& name, const TextGridForm& form);

// Steps agree to a millionth of their size: the same step reaches a file written by different
// programs (20, 19.999999) rounded a little differently.
bool StepsAgree(float a, float b);

// The values of a file read in the form `form` in the grid's order, rows along X from the top
// (GridOrder.h), for the X size chosen; in the order the form gives them (OrderOfValues). Refused,
// naming the file, when the order of columns is asked of triplets (each value's coordinates place
// it) or of a matrix with axes (its lines hold its rows), or there is no memory for the work.
Status ArrangeValues(float* values, std::uint32_t count, const TextGridForm& form,
                     const std::string& name, std::int32_t nx, const TextReadingChoices& choices);
