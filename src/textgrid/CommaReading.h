#pragma once
// How the commas of a text grid's values read, told from its first lines of values: between
// values (1500.5,1600.25 or 1500.5, 1600.25), or as decimal marks, as a European spreadsheet
// writes them: with semicolons between values (1500,5;1600,25), or between blanks
// (1500,5 1600,25) where nothing else fits. Commas are never read as separators where that
// would make twice the values; where they cannot be told apart, the text is refused, naming
// the line, the value and its token.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "grid/Status.h"

struct NumberedLine {
  std::uint64_t number = 0;  // from 1
  std::string_view text;     // without its line end
};

struct CommaReading {
  bool decimalCommas = false;  // commas read as points, semicolons as blanks
  std::string how;             // for the form: "values apart by semicolons", "decimal commas"
  // Refused: commas that are decimal marks or something else; with the user's say
  // (forcedDecimal) they are decimal marks.
  Status refusal;
};

// lines: lines of values (no comment or blank lines) from the text's start.
CommaReading ReadCommas(const std::vector<NumberedLine>& lines, const std::string& name,
                        bool forcedDecimal);
