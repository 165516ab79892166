#pragma once
// The grid's shape from its number of values: the X sizes on offer, the proposal, and the checks of
// the sizes to write typed by the user.

#include <cstdint>
#include <string>
#include <vector>

#include "grid/Status.h"
#include "grid/TextGridLines.h"

// The largest m with m * m <= n, computed exactly in integers.
std::uint32_t IntegerSquareRoot(std::uint64_t n);

// Every divisor d of count with 2 <= d <= count / 2, increasing.
std::vector<std::int32_t> XSizeChoices(std::uint32_t count);

// Index in choices of the proposal. A file whose lines with values all hold the same number, on
// more than one line, says its rows: that number is proposed when it is on offer. Otherwise the
// proposal is the largest choice not above the integer square root of count. -1 when choices is
// empty (or, for a list not made by XSizeChoices, when no choice qualifies).
int ProposedXSizeIndex(const std::vector<std::int32_t>& choices, std::uint32_t count,
                       const TextGridLines& lines = {});
// Whether the proposal for these lines is the number of values on each of them.
bool XSizeFromLines(const std::vector<std::int32_t>& choices, const TextGridLines& lines);

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
