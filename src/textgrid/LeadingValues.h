#pragma once
// The first values of every line of a text grid left out, once it is read: the columns of its
// rows (or, stored column by column, the rows of its columns) that hold something else, such as
// depths or trace numbers written before each line's values.

#include <cstdint>
#include <string>

#include "grid/Status.h"
#include "textgrid/TextGridLines.h"

// values: *count values as read, with their lines. The first `skip` values of every line are left
// out, the others moved to the front, *count and the lines made to tell what is left. Refused,
// naming the file, when a line holds no more than `skip` values, or the lines change their length
// more than kMaxLineRuns times (their lengths are not kept).
Status LeaveOutLeadingValues(float* values, std::uint64_t* count, TextGridLines& lines,
                             std::uint64_t skip, const std::string& name);
