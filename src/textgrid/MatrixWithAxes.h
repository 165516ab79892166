#pragma once
// A matrix with axes: a first row of x coordinates and a first column of z coordinates around
// the grid's values, each rising or falling by one step other than 0, with a corner cell where
// they meet (its value is not used):
//   0     2000  2020  2040
//   500   1500  1510  1520
//   520   1530  1540  1550
// Its values are the grid, x growing to the right; z is a depth, the top row at the least z,
// unless it is an elevation, wholly at or below 0, the top row at the greatest (FormCoordinates.h);
// its steps and origin come from the axes. Told from the text's first lines: coordinates
// where the first row and the first column stand, while the row and the column next to them
// do not keep their steps (as the coordinates of a linear model's values would).

#include <cstdint>
#include <vector>

#include "grid/Status.h"
#include "textgrid/CommaReading.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"

// Whether lines of values at a text's start (three or more whole ones) look like a matrix with
// axes.
bool LooksLikeMatrixWithAxes(const std::vector<NumberedLine>& lines, bool decimalCommas);

// values: `count` values read from the text, with its lines; on success the first *gridCount
// hold the grid's values row after row, the top row first, and the form holds its sizes, steps,
// axes and which way is up (turned: the user turns the rows over, once they are arranged).
// chosen: the user said it is a matrix with axes, and it is refused when it is not one, naming what
// is wrong ("vp.txt is not a matrix with axes: its first row after the corner cell does not rise or
// fall by one step"); otherwise a text that turns out not to be one is left as it is, with
// *gridCount = count.
Status ReadMatrixWithAxes(float* values, std::uint64_t count, const TextGridLines& lines,
                          const std::string& name, bool chosen, bool turned, TextGridForm& form,
                          std::uint64_t* gridCount);
