#pragma once
// Coordinates that may be misread: coordinates read as values, a first column of depths or a
// first row of x coordinates written beside a grid's values; and what the coordinates a form
// states leave open, which way is up and whether their steps are in m. Each finding is one
// sentence naming the file as the front end names it, and the choice that settles it, as the
// front end names that (ChoiceNames; an empty name: the front end offers none).

#include <cstdint>
#include <string>

#include "conversion/ConversionRequest.h"
#include "textgrid/TextGridForm.h"

// A first column (row) that rises or falls by one step other than 0 from each value to the next
// (below a corner cell, maybe), while the column (row) next to it does not keep that step, as
// values of a layered model would not; of an nx x nz grid in its order, rows along X from the
// top; "" when the column is no such one. skipColumns (skipRows) is the choice that leaves it out
// as its user gives it ("--skip-columns 1"):
//   "vp.txt: the first column rises by 20 on each line, from 500 to 3460: depths? --skip-columns
//   1 leaves it out"
//   "vp.txt: the first row rises by 20 from column to column, from 0 to 9980: x coordinates?
//   --skip-rows 1 leaves it out"
std::string FirstColumnFinding(const PropertyInput& input, std::int32_t nx, std::int32_t nz,
                               const std::string& skipColumns);
std::string FirstRowFinding(const PropertyInput& input, std::int32_t nx, std::int32_t nz,
                            const std::string& skipRows);

// A form's vertical axis across 0 that nothing said was depth or elevation:
//   "vp.grd: y runs from -500 to 2960, across 0: is it depth or elevation? It is read as depth,
//    the top row y -500; --flip-z reads it as elevation, the top row y 2960"
std::string DepthOrElevationFinding(const std::string& name, const TextGridForm& form,
                                    const std::string& flipName);

// Steps a form states below 0.1 m or above 1000 m:
//   "vp.xyz: steps of 0.02 and 0.02, from the triplets' coordinates: are they in km?
//    --coordinates km reads them in km"
//   "vp.asc: steps of 5000 and 5000, from the ESRI ASCII grid header: a step of more than 1000 m?"
std::string StatedStepsFinding(const std::string& name, const TextGridForm& form,
                               const std::string& kmName);
