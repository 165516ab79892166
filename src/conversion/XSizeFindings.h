#pragma once
// What a file's lines say of the X size chosen. Lines that all hold the same number of values,
// or rows wrapped over lines in one pattern that repeats exactly, show the length of the rows
// (RowLengthShown); anything else leaves the X size a guess, which is a finding naming why and
// what to give instead. Each finding is one sentence naming the file as the front end names it:
//   "vp.txt: 87000 values on one line say nothing of the X size; nx 290 is a guess: give --nx"
//   "vp.txt: line 31 holds 499 values and line 32 holds 501: a value moved between lines?"
//   "vp.txt: rows of 250 put 2 rows on each of its 174 lines of 500 values: is the X size 500?"
// A file stored column by column (order) has its columns on its lines, as rows are on a plain
// file's, and the findings speak of columns and the Z size.

#include <cstdint>
#include <string>

#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"

// Of lines that show no row length, when the X size nx is a guess: why their lines say nothing
// of it (on one line, one a line, a value moved between two lines, one line off the others, lines
// of different lengths), and what to give (xSizeName: "--nx"):
//   "vp.txt: 87000 values, one a line, say nothing of the X size; nx 290 is a guess: give --nx"
//   "vp.txt: 99 lines of 500 values, then line 100 holds 499 values: no X size follows from these
//   lines; is a value missing or one too many on line 100?"
//   "vp.txt: its lines (2 lines of 6 values, then line 3 holds 4 values) say nothing of the X
//   size; nx 4 is a guess: give --nx"
std::string GuessedXSizeFinding(const std::string& name, const TextGridLines& lines,
                                std::uint32_t count, std::int32_t nx, const std::string& xSizeName);

// Lines alike but two neighbours, one short of the others by as many values as the other holds
// more: "vp.txt: line 31 holds 499 values and line 32 holds 501: a value moved between lines?";
// "" for other lines.
std::string MovedBreakFinding(const std::string& name, const TextGridLines& lines);

// Rows of `length` values (columns, for order) that fit lines which all hold the same number of
// values two or more times over: "vp.txt: rows of 250 put 2 rows on each of its 174 lines of 500
// values: is the X size 500?"; "" otherwise.
std::string RowsOnEachLineFinding(const std::string& name, const TextGridLines& lines,
                                  std::int64_t length, ValueOrder order = ValueOrder::kRows);

// Lines that run on over the rows of `length` values at a fixed count, as Fortran writes 8 values
// a line: every line but the last holds the same number of values, fewer than a row, and the
// last at most as many. Their breaks say nothing of the rows.
bool LinesRunOnOverRows(const TextGridLines& lines, std::int64_t length);
