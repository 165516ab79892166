#pragma once
// The line structure of a text grid: how many values its lines hold. Lines carry no meaning for
// the values (the grid is one sequence), but a file whose lines all hold the same number of values
// most likely holds rows of that many, and rows that neither fill whole lines nor wrap over whole
// lines most likely shear the model. Lines without values are passed over.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Lines with values in a row that hold the same number of them.
struct LineRun {
  std::uint64_t values = 0;  // on each line
  std::uint64_t lines = 0;
};

inline bool operator==(const LineRun& a, const LineRun& b) {
  return a.values == b.values && a.lines == b.lines;
}

// The most runs kept: rows wrapped over lines with a shorter last one make two runs a row, so
// grids of thousands of rows fit; a file of more runs than this counts as wrapping no rows.
inline constexpr std::size_t kMaxLineRuns = 16384;

struct TextGridLines {
  std::uint64_t linesWithValues = 0;
  std::uint64_t firstLine = 0;   // 1-based line number of the first line with values; 0: none
  std::uint64_t firstCount = 0;  // values on that line
  std::uint64_t secondLine = 0;  // the next line with values after the first; 0: none
  std::uint64_t sameInARow = 0;  // lines with values in a row from there that hold firstCount
  // The first line with values that holds another number (1-based line number; 0: none).
  std::uint64_t differingLine = 0;
  std::uint64_t differingCount = 0;
  std::uint64_t afterDifferingLine = 0;  // the next line with values after that one; 0: none
  // What decides which X sizes fit the lines: the greatest common divisor of the numbers of values
  // on them (0: no line), and their numbers of values in file order, each run of equal ones as
  // one; the runs are dropped when there are more than kMaxLineRuns.
  std::uint64_t lengthDivisor = 0;
  std::vector<LineRun> runs;
  bool tooManyRuns = false;

  // Every line with values holds firstCount, and there is more than one such line.
  bool AllLinesAlike() const { return linesWithValues > 1 && differingLine == 0; }
};

inline bool operator==(const TextGridLines& a, const TextGridLines& b) {
  return a.linesWithValues == b.linesWithValues && a.firstLine == b.firstLine &&
         a.firstCount == b.firstCount && a.secondLine == b.secondLine &&
         a.sameInARow == b.sameInARow && a.differingLine == b.differingLine &&
         a.differingCount == b.differingCount && a.afterDifferingLine == b.afterDifferingLine &&
         a.lengthDivisor == b.lengthDivisor && a.runs == b.runs && a.tooManyRuns == b.tooManyRuns;
}

// "174 lines of 500 values", or "174 lines of 500 values, then line 175 holds 1 value";
// "no values" when no line holds one.
std::string DescribeLines(const TextGridLines& lines);

// The line structure of a piece of text read in order, to be joined to the pieces around it:
// the piece may start and end inside a line.
class LineTally {
 public:
  // `values` more values on the current line.
  void AddValues(std::uint64_t values) { (lineEnds_ == 0 ? headValues_ : tailValues_) += values; }
  // A line end. Lines are numbered from the piece's first line, which is line 1.
  void EndLine();
  // The tally of the text that follows this piece.
  void Append(const LineTally& next);
  // The lines of a piece that is the whole text (its first line is the file's first).
  TextGridLines Finish() const;
  // Where the text after the piece goes on: its line, numbered from the piece's first as 1, and
  // the values already on it.
  std::uint64_t CurrentLine() const { return lineEnds_ + 1; }
  std::uint64_t ValuesOnCurrentLine() const { return lineEnds_ == 0 ? headValues_ : tailValues_; }

 private:
  std::uint64_t headValues_ = 0;  // values on the first line, which may have begun earlier
  std::uint64_t lineEnds_ = 0;
  TextGridLines inner_;           // the lines after the first one and before the last one
  std::uint64_t tailValues_ = 0;  // values on the last line, which may go on
};
