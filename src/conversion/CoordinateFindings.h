#pragma once
// Coordinates read as values: a first column of depths or a first row of x coordinates written
// beside a grid's values. Such a column rises or falls by one step other than 0 from each value
// to the next (below a corner cell, maybe), while the column next to it does not keep that step,
// as values of a layered model would not. Each finding names the file as the front end does and
// how to leave the coordinates out (skip: "--skip-columns"):
//   "vp.txt: the first column rises by 20 on each line, from 500 to 3460: depths? --skip-columns
//   1 leaves it out"
//   "vp.txt: the first row rises by 20 from column to column, from 0 to 9980: x coordinates?
//   --skip-rows 1 leaves it out"

#include <cstdint>
#include <string>

#include "conversion/ConversionRequest.h"

// Of an nx x nz grid in its order, rows along X from the top; "" when the column is no such one.
std::string FirstColumnFinding(const PropertyInput& input, std::int32_t nx, std::int32_t nz,
                               const std::string& skipColumns);
std::string FirstRowFinding(const PropertyInput& input, std::int32_t nx, std::int32_t nz,
                            const std::string& skipRows);
