#pragma once
// The grid's shape from its number of values: the X sizes on offer, the proposal, and the checks of
// the sizes to write typed by the user.

#include <cstdint>
#include <string>
#include <vector>

#include "grid/Status.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"

// The largest m with m * m <= n, computed exactly in integers.
std::uint32_t IntegerSquareRoot(std::uint64_t n);

// Every divisor d of count with 2 <= d <= count / 2, increasing.
std::vector<std::int32_t> XSizeChoices(std::uint32_t count);

// Whether rows of nx values fit the lines of a file: every line ends at a row's end (lines hold
// whole rows) or every row ends at a line's end (rows wrapped over whole lines, as 50 lines of 10
// values hold a row of 500). A file with more than kMaxLineRuns runs of lines wraps no rows.
bool XSizeFitsLines(std::int64_t nx, const TextGridLines& lines);

// A grid this many times deeper than wide or more is unlikely to be a model's true shape: its rows
// are more likely wrapped over lines, or its file stored column by column.
inline constexpr std::uint64_t kDeepGridRatio = 20;

// The index in choices of the X size the lines of a file say, -1 when they say none. Lines that
// all hold the same number of values, on more than one line, say that number (when it is on
// offer); lines of different lengths say the narrowest rows that wrap over whole lines (as a row
// of 500 values wrapped 8 a line, 62 lines of 8 and one of 4) without making a grid
// kDeepGridRatio times deeper than wide.
int XSizeIndexFromLines(const std::vector<std::int32_t>& choices, std::uint32_t count,
                        const TextGridLines& lines);

// Index in choices of the proposal: the X size the lines say, else the largest choice not above
// the integer square root of count. -1 when choices is empty (or, for a list not made by
// XSizeChoices, when no choice qualifies). A file stored column by column says its columns' length
// by its lines: its X size is the number of columns.
int ProposedXSizeIndex(const std::vector<std::int32_t>& choices, std::uint32_t count,
                       const TextGridLines& lines = {}, ValueOrder order = ValueOrder::kRows);

// Refuses, in this order, with:
//   "Size nx=%d to Write could not be greater then nx=%d in input file" (nxWrite, nxInput)
//   "Size nx=%d to Write could not be less then 1" (nxWrite)
Status CheckNxWrite(std::int32_t nxWrite, std::int32_t nxInput);

// Refuses, in this order, with:
//   "Size nz=%d to Write could not be greater then nz=%d in input file" (nzWrite, nzInput)
//   "Size nz=%d to Write could not be less then 1" (nzWrite)
//   "Size nz=%d to Write could not be greater then %d rows in input file" (nzWrite, rows)
// where rows = elementCount / nxInput are the rows the arrays really hold (0 when nxInput <= 0);
// nzInput is typed by the user and may claim more.
Status CheckNzWrite(std::int32_t nzWrite, std::int32_t nzInput, std::uint32_t elementCount,
                    std::int32_t nxInput);
