#pragma once
// Reading of a text grid: one flat sequence of decimal numbers separated by runs of spaces, tabs,
// commas and line ends (LF, CR+LF, a lone CR); a character 26 (Ctrl-Z) ends the text (the reading
// says on which line when more than blanks follow it). Each value is read as
// the nearest double (as atof reads it) and then the float32 nearest that (as a cast rounds it).
// The input is read once, as a stream: a file, or standard input ("-"); gzip data is inflated as it
// is read, a UTF-8 byte-order mark at the start of the text is skipped and UTF-16 text read as
// UTF-8 (TextGridStream.h). Its form is told from its start (TextGridStart.h, TextGridForm.h):
// comment and title lines passed over, an ESRI or Surfer header read and checked against the values
// that follow it, triplets made into their grid, a matrix's axes read (MatrixWithAxes.h), decimal
// commas read as decimal points; the rows and columns the user leaves out are left out
// (LeadingValues.h), and the form tells how its sizes are known (TextGridForm::facts).
//
// Messages name the input as the caller calls it (`name`: "vp.txt", or "--vp b/vp.txt"), e.g.
//   "vp.txt, line 12, value 3: \"12a\" is not a number"
//   "vp.txt, line 12, value 3: \"1e39\" is beyond the range of 32-bit floats"
//   "vp.txt: cannot open: No such file or directory"      "vp.txt: cannot read: <reason>"
//   "vp.txt: holds no values"      "vp.txt: holds no values, only 2 title lines (1-2)"
//   "vp.txt: holds more than 2147483647 values"
//   "vp.txt: not enough memory to load it"      "vp.txt: changed while it was being read"
//   "vp.txt.gz: its gzip data is cut short"      "vp.txt.gz: its gzip data is damaged (<why>)"
//   "vp.txt.gz: its gzip data is followed by other bytes"
//   "vp.asc: the ESRI ASCII grid header gives 500 x 174 = 87000 values, but 86999 follow it"
//   "vp.xyz: line 7 holds 4 values, not an x z value triplet"
// and those of the headers, the commas and the triplets (EsriHeader.cpp, SurferHeader.cpp,
// CommaReading.cpp, TripletGrid.cpp).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "grid/Status.h"
#include "system/FloatArray.h"
#include "textgrid/ByteStream.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"

// Most values a text grid may hold: counts are 32-bit signed in the conversion state.
inline constexpr std::uint64_t kMaxTextGridValues = 2147483647;

// The path that names standard input.
inline constexpr char kStandardInput[] = "-";

struct TextGridSummary {
  std::uint32_t count = 0;
  float minimum = 1e30f;
  float maximum = -1e30f;
};

struct TextGridRead {
  // Meaningful only when ok; values only when they were asked for.
  TextGridSummary summary;
  TextGridLines lines;  // of the values' text, numbered as the file's lines
  // summary.count values in the file's order (for triplets, in the grid's), holes holding a
  // no-data marker.
  FloatArray values;
  TextGridForm form;  // what the form said, what was passed over
  // The line of a character 26 (Ctrl-Z) that ended the text with more text after it, which was
  // not read; 0 when there is none, or only blanks follow it.
  std::uint64_t endMarkLine = 0;
  Status status;
  // Refused for commas that may be decimal commas or not: TextReadingChoices::decimalComma reads
  // them as decimal marks (a front end says how its user chooses that).
  bool commasUndecided = false;
  // Refused by the rules of triplets told from the text, neither chosen nor named by a header:
  // TextReadingChoices::form reads it as another form (a plain grid three values wide).
  bool tripletsTold = false;
  // Refused as binary data of no form told from its bytes: TextReadingChoices::raw reads it as
  // raw values (a front end says how its user chooses that).
  bool rawUndecided = false;
  bool ok() const { return status.ok(); }
};

using ReadProgress = std::function<void(std::uint64_t bytesDone, std::uint64_t bytesTotal)>;

// Told the values in text order as they become final, a block at a time while the rest is still
// read, on the reading's threads, one call at a time: values[first, first + count) of the array
// that starts at `values`. Once the reading has ended, every value it holds was told. Forms whose
// values are put in another order once read (triplets, columns, rows from the bottom) tell none.
using FinalValues =
    std::function<void(const float* values, std::uint64_t first, std::uint64_t count)>;

// Count, minimum, maximum, the line structure, the form and the values. An input with no values,
// that cannot be read, with a bad token, a header its values do not fit, triplets that do not
// make a grid or more than 2147483647 values is refused.
TextGridRead ReadTextGrid(const std::string& path, const std::string& name,
                          const ReadProgress& progress = {}, const TextReadingChoices& choices = {},
                          const FinalValues& final = {});
// The same without keeping the values.
TextGridRead ScanTextGrid(const std::string& path, const std::string& name,
                          const ReadProgress& progress = {},
                          const TextReadingChoices& choices = {});
// The same on a stream of the input's bytes (tests, fuzzing).
TextGridRead ReadTextGridStream(ByteStream& input, const std::string& name, bool keepValues,
                                const ReadProgress& progress = {},
                                const TextReadingChoices& choices = {},
                                const FinalValues& final = {});
TextGridRead ReadTextGridText(std::string_view text, const std::string& name,
                              const TextReadingChoices& choices = {});

// Whether the lines of a form's text hold its rows (or its columns): not a line a node, nor rows
// with a coordinate before them, nor binary data without lines.
inline bool LinesHoldRows(const TextGridForm& form) {
  return form.kind != TextForm::kTriplets && form.kind != TextForm::kMatrix &&
         !IsBinaryForm(form.kind);
}

// The name shown for a path: its last component.
std::string FileNameOf(const std::string& path);
