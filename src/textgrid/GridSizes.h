#pragma once
// The grid's shape from its number of values: the X sizes on offer, the proposal, and the checks of
// the sizes to write typed by the user.

#include <cstdint>
#include <string>
#include <vector>

#include "grid/KnownFacts.h"
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

// The index in choices of the X size the lines of a file point to, -1 when they point to none:
// the row length they show (RowLengthShown), when it is on offer; else, of lines of different
// lengths, the narrowest rows that end at line ends without making a grid kDeepGridRatio times
// deeper than wide (a guess: rows wrapped with exceptions).
int XSizeIndexFromLines(const std::vector<std::int32_t>& choices, std::uint32_t count,
                        const TextGridLines& lines);

// The length of the rows the lines of a file show without exception, 0 when they show none: the
// number of values on every line, when there is more than one line and it is 2 or more; or rows
// wrapped over lines in one pattern that repeats exactly, each row the same number of full lines
// and then the same shorter last line (62 lines of 8 values and one of 4, for every row). The
// lines of a file stored column by column show the length of its columns alike.
std::uint64_t RowLengthShown(const TextGridLines& lines);

// "each row 62 lines of 8 values and one of 4", of the pattern RowLengthShown found in lines that
// are not all alike; "each column ..." for columns.
std::string DescribeWrapping(const TextGridLines& lines, ValueOrder order = ValueOrder::kRows);

struct XSizeProposal {
  int index = -1;  // in choices; -1: none
  // Shown by the lines, with them: "the lines (174 lines of 500 values)"; or guessed, with the
  // rule and why: "the largest divisor up to the square root (one line)".
  KnownFact fact;
};

// The proposal: the X size the lines show (RowLengthShown), else a guess: the narrowest rows that
// end at line ends without a grid kDeepGridRatio times deeper than wide, else the largest choice
// not above the integer square root of count. Index -1 when choices is empty (or, for a list not
// made by XSizeChoices, when no choice qualifies). A file stored column by column shows its
// columns' length by its lines: its X size is the number of columns.
XSizeProposal ProposeXSize(const std::vector<std::int32_t>& choices, std::uint32_t count,
                           const TextGridLines& lines = {}, ValueOrder order = ValueOrder::kRows);

// The index of ProposeXSize's proposal.
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
