#pragma once
// The start of a text grid, read from its first bytes before its values: blank lines, comment
// lines and leading title lines (words none of which reads as a number, NaN and infinities
// among numbers: a title, column names) passed over, a leading line that mixes words and numbers
// refused (unless it is among the rows left out); the header of an ESRI or Surfer grid read; the
// leading rows the user leaves out passed over; whether its lines are x z value triplets (with
// their columns, as a header names them) or a matrix with axes; and how its commas read
// (CommaReading.h). The form the user chooses (TextReadingChoices::form) is the only one looked
// for. Every form's values then go through the same reading.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "grid/Status.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TripletGrid.h"

// How much of a text's start is looked at.
inline constexpr std::size_t kTextGridStartBytes = std::size_t{64} << 10;

struct TextGridStart {
  TextGridForm form;            // an ESRI or Surfer header's sizes and steps; the lines passed over
  std::size_t bytes = 0;        // before the values, passed over
  std::uint64_t lines = 0;      // the lines among them: the values start on line lines + 1
  bool triplets = false;        // lines of x z value triplets: the grid is made once they are read
  TripletColumns columns;       // theirs, as a header names them
  bool matrix = false;          // a matrix with axes, maybe: the grid is made once it is read
  bool decimalCommas = false;   // the values' text is read through DecimalCommaStream
  std::optional<float> noData;  // an ESRI nodata_value
  Status status;                // the start refused: a header that cannot be read, or commas
  bool commasUndecided = false;  // refused for commas that decimalComma would read
  bool ok() const { return status.ok(); }
};

// head: the text's first bytes, at most kTextGridStartBytes of them; whole: all of the text.
TextGridStart ReadTextGridStart(std::string_view head, bool whole, const std::string& name,
                                const TextReadingChoices& choices);
