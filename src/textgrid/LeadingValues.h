#pragma once
// The first values of every line of a text grid left out, once it is read: the columns of its
// rows (or, stored column by column, the rows of its columns) that hold something else, such as
// depths or trace numbers written before each line's values. Only lines that each hold a whole
// row, all of the same length, have them: of rows wrapped over several lines, the first values
// of every line would cut into the rows and shear the grid.

#include <cstdint>
#include <string>

#include "grid/Status.h"
#include "textgrid/TextGridLines.h"

// values: *count values as read, with their lines. The first `skip` values of every line are left
// out, the others moved to the front, *count and the lines made to tell what is left. Refused,
// naming the file, when its lines do not all hold the same number of values (row: "row", or
// "column" for a file stored column by column):
//   "vp.txt: the first value of each row can be left out only where every line holds one row,
//   and its lines do not (62 lines of 8 values, then line 63 holds 4 values)"
// or hold no more than `skip` values.
Status LeaveOutLeadingValues(float* values, std::uint64_t* count, TextGridLines& lines,
                             std::uint64_t skip, const std::string& row, const std::string& name);
