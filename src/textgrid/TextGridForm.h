#pragma once
// What the form of a text grid said and what its reading passed over: what every form hands on
// beside its values. The form is told from the text itself, never from the file's name:
//   a plain text grid        numbers alone, row after row (after title and comment lines)
//   an ESRI ASCII grid       ncols, nrows, cellsize (or dx, dy) ... then nrows rows of ncols
//   a Surfer ASCII grid      DSAA, nx ny, xlo xhi, ylo yhi, zlo zhi, then ny rows of nx values
//   x z value triplets       a line a node, in any order (with a header row of names or not)
//   a matrix with axes       a first row of x and a first column of z coordinates, a corner cell
// The self-describing forms (all but the plain one) state the grid's sizes and steps.
// The binary forms (src/binarygrid) hand on the same record: SEG-Y and Seismic Unix traces, raw
// values and numpy .npy arrays.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "grid/KnownFacts.h"

enum class TextForm { kPlain, kEsri, kSurfer, kTriplets, kMatrix, kSegy, kSeismicUnix, kRaw, kNpy };

// Whether a form is binary data rather than text: its values are not on lines.
inline bool IsBinaryForm(TextForm kind) {
  return kind == TextForm::kSegy || kind == TextForm::kSeismicUnix || kind == TextForm::kRaw ||
         kind == TextForm::kNpy;
}

// The order of a grid's values in its file: rows along X (the first row the top), or columns
// (one vertical profile after another, depth varying fastest, as Fortran programs write them).
enum class ValueOrder { kRows, kColumns };

// How raw values are stored, which nothing in a raw file says: 32- or 64-bit floats, little- or
// big-endian. kNone: the input is not read as raw values.
enum class RawType { kNone, kF32Le, kF32Be, kF64Le, kF64Be };

// What a front end passes in: the user's choices for reading a text grid.
struct TextReadingChoices {
  bool decimalComma = false;  // every comma is a decimal mark; else told from the text
  ValueOrder order = ValueOrder::kRows;
  bool flipZ = false;            // the rows come from the bottom up
  std::optional<TextForm> form;  // the form to read it in; else told from the text
  // Leading rows and columns of the grid left out, as the file's lines hold them: rows are its
  // first lines of values and columns the first values of every line (of a file stored column
  // by column, the other way round).
  std::uint32_t skipRows = 0, skipColumns = 0;
  bool coordinatesInKm = false;  // the coordinates a form states (its steps among them) are in km
  RawType raw = RawType::kNone;  // the input is raw values of this type, whatever its bytes
  std::uint64_t skipBytes = 0;   // of raw values: a header passed over
};

// Lines from first to last, numbered from 1.
struct LineSpan {
  std::uint64_t first = 0, last = 0;
};

// Lines passed over, added in increasing order: how many and the first runs of them.
struct SkippedLines {
  static constexpr std::size_t kShownSpans = 4;
  std::uint64_t count = 0;
  std::vector<LineSpan> spans;  // the first kShownSpans runs of lines in a row
  bool more = false;            // runs after those

  void Add(std::uint64_t line);
  // The lines of a later piece of text, whose line 1 is line `shift` + 1 here.
  void Append(const SkippedLines& later, std::uint64_t shift);

 private:
  void AddSpan(const LineSpan& span);
};

// "2 comment lines (1, 87)", "1 title line (1)", "9 comment lines (1-3, 8, 10-11, 20, ...)";
// `what` names one line ("comment line").
std::string DescribeSkipped(const SkippedLines& lines, const std::string& what);

struct TextGridForm {
  TextForm kind = TextForm::kPlain;
  // "plain text grid", "ESRI ASCII grid", "Surfer ASCII grid", "x z value triplets", "matrix
  // with axes".
  std::string name = "plain text grid";
  // What was taken from it, as `mvgtool sizes` shows it: "ncols 500, nrows 174, cellsize 20";
  // empty for a plain grid.
  std::string taken;
  // Where its sizes and steps come from, for a message: "the ESRI ASCII grid header".
  std::string source;
  // How its text was read, when not as plain ASCII or UTF-8 with commas between values:
  // "UTF-16 LE", "values apart by semicolons", "decimal commas".
  std::vector<std::string> text;
  bool statesSizes = false;  // nx and nz
  std::int32_t nx = 0, nz = 0;
  bool statesSteps = false;  // dx and dz, in the file's units of length
  float dx = 0.0f, dz = 0.0f;
  // How each of nx, nz, dx and dz is known, and which way is up. A plain grid's lines show its
  // sizes or give a guess (GridSizes.h), held in nx and nz then too.
  GridFacts facts;
  SkippedLines titles;    // leading lines of words, none of which reads as a number
  SkippedLines comments;  // lines whose first non-blank character is # or %
  // Nodes the form declares empty (an ESRI nodata_value, a Surfer blank): each holds a no-data
  // marker among the values; the first one's place in the file's order.
  std::uint64_t holes = 0;
  std::uint64_t firstHole = 0;
  std::string holeMarker;  // "nodata_value -9999", "Surfer's blank, 1.70141e38 and above", "NaN"
  // What a form that does not state its Z step says of it, for the message that asks for it:
  // "sample interval 1250: 1.25 m if in mm".
  std::string dzHint;
  // The first lines of a SEG-Y textual header that hold more than their line number.
  std::vector<std::string> header;
  // The form fixes the order its values are handed on in, not the order choice: SEG-Y traces are
  // the grid's columns, an .npy array's order follows its fortran_order.
  bool fixesOrder = false;
  ValueOrder order = ValueOrder::kRows;
};

// The order of the values a reading of this form hands on, `chosen` being the user's choice.
inline ValueOrder OrderOfValues(const TextGridForm& form, ValueOrder chosen) {
  return form.fixesOrder ? form.order : chosen;
}
// Whether the form states the X step, or the Z step: both where statesSteps, or one alone (a SEG-Y
// file's traces may prove dx).
inline bool StatesDx(const TextGridForm& form) {
  return form.statesSteps || form.facts.dx.how == HowKnown::kStated;
}
inline bool StatesDz(const TextGridForm& form) {
  return form.statesSteps || form.facts.dz.how == HowKnown::kStated;
}

// "ESRI ASCII grid, ncols 500, nrows 174, cellsize 20", "plain text grid, UTF-16 LE".
std::string DescribeForm(const TextGridForm& form);
// The form's source as the subject of a sentence: "the ESRI ASCII grid header gives", "the
// triplets' coordinates give".
std::string SourceGives(const TextGridForm& form);
// "1 title line (1), 2 comment lines (5, 90)"; "" when no line was passed over.
std::string DescribeSkippedLines(const TextGridForm& form);
// What a reading of this form adds to its count and lines, one phrase, for a summary:
// "ESRI ASCII grid, ncols 500, nrows 174, cellsize 20; skipped 2 comment lines (1, 87)";
// "" for a plain grid read as it is.
std::string DescribeReading(const TextGridForm& form);
