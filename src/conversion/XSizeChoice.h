#pragma once
// The X size of a text grid as every front end chooses it: the one the user gives (nx), the one
// the file states, or the proposal, with the rule that proposed it.

#include <cstdint>
#include <string>
#include <vector>

#include "conversion/NamedChoices.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"

struct XSizeChoice {
  std::int32_t nx = 0;
  // "nx 500 from the lines (174 lines of 500 values)": the size and what proposed it ("nx 500"
  // when given).
  std::string said;
  Status status;  // the refusal line when no X size can be had
};

// `name` calls the file in messages. A refusal says how the file's lines go, which is where a
// value too many or too few shows: "--vp vp.txt: 174 lines of 500 values, then line 175 holds
// 1 value". A form that states its X size gives it, and --nx must agree with it: "--nx 250
// contradicts --vp vp.asc: the ESRI ASCII grid header gives nx 500". A file stored column by
// column (order) has its columns on its lines.
XSizeChoice ChooseXSize(std::uint32_t count, const TextGridLines& lines, const std::string& name,
                        bool given, std::int32_t nx, const TextGridForm& form = {},
                        ValueOrder order = ValueOrder::kRows,
                        const NamedChoices& named = NamedChoices());

// The proposal and why it is what it is: "nx 500 from the lines (174 lines of 500 values)", or
// "nx 290, the largest divisor up to the square root (lines of different lengths)"; of a file
// stored column by column, "nx 500 from the lines (500 lines of 174 values, a column each)".
std::string DescribeProposal(std::int32_t nx, std::uint32_t count,
                             const std::vector<std::int32_t>& sizes, const TextGridLines& lines,
                             ValueOrder order = ValueOrder::kRows);
