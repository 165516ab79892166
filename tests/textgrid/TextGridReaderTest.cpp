#include "textgrid/TextGridReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/GzipText.h"
#include "support/ScratchFolder.h"

namespace {

using Floats = std::vector<float>;

Floats ValuesOf(const TextGridRead& read) {
  EXPECT_TRUE(read.ok()) << read.status.message();
  return Floats(read.values.data(), read.values.data() + read.values.size());
}

TEST(TextGridReaderTest, OnlyTheNumbersCountUpToACharacterTwentySix) {
  const std::pair<const char*, Floats> cases[] = {
      // Tabs, commas, runs, trailing separators, CR+LF, lone CR, empty lines: no invented zeros.
      {"1\t2,3 \r\n\r\n  4 ,\t5\r6  \n\n\n,,\t \n7", {1, 2, 3, 4, 5, 6, 7}},
      {"\357\273\2771 2\r\n3", {1, 2, 3}},  // after a UTF-8 byte-order mark, as Notepad writes
      {"1 2 \x1a\n12a", {1, 2}},            // a character 26 (\032) ends the text
      {"12\03234", {12}},
      // Read as a double first: 1.00000005960464477539063 lies a hair above the midpoint of 1
      // and the next float, but its double is the midpoint itself, which rounds to even.
      {"1.00000005960464477539063", {1.0f}},
  };
  for (const auto& [text, values] : cases) {
    EXPECT_EQ(ValuesOf(ReadTextGridText(text, "vp.txt")), values) << text;
  }
  // A character 26 with more than blanks after it is noted with its line.
  const std::pair<std::string, std::uint64_t> marks[] = {
      {"1 2 \x1a\n12a", 1},
      {"1\r\n2\r3\x1a"
       "4",
       3},
      {std::string("1 2\x1a \r\n\t,\x1a\0", 11), 0},  // blanks, padding: nothing cut off
      {"1 2", 0}};
  for (const auto& [text, line] : marks) {
    EXPECT_EQ(ReadTextGridText(text, "vp.txt").endMarkLine, line) << text;
  }
  for (const char* text : {"", " \n\r\n,\t", "\x1a 1 2", "\xEF\xBB\xBF\n"}) {
    const TextGridRead read = ReadTextGridText(text, "vp.txt");
    EXPECT_EQ(read.status.message(), "vp.txt: holds no values") << text;
    EXPECT_TRUE(read.values.empty());
  }
}

TEST(TextGridReaderTest, BadTokensAreRefusedWithTheirLineAndPlaceOnIt) {
  const std::pair<std::string, std::string> cases[] = {
      {"1 2\n3 12a 4\n", "line 2, value 2: \"12a\" is not a number"},
      {"5\r\n\t-1e39", "line 2, value 1: \"-1e39\" is beyond the range of 32-bit floats"},
      {"1\r2\r\r4,,5 nano", "line 4, value 3: \"nano\" is not a number"},
      {"1 . 2", "line 1, value 2: \".\" is not a number"},
      {std::string("\xFF\xFE\x31\0\x20\0\x34\0\xAC\x20", 10),  // "1 4€" in UTF-16, in UTF-8
       "line 1, value 2: \"4\\xE2\\x82\\xAC\" is not a number"},
      {"\"q\\\x7f", "line 1, value 1: \"\\\"q\\\\\\x7F\" is not a number"},  // shown escaped
      {"1 " + std::string(50, '9'),                                          // and shortened
       "line 1, value 2: \"" + std::string(40, '9') + "...\" is beyond the range of 32-bit floats"},
      // Lines are the file's, after a title, comments or a header passed over.
      {"Marmousi-II, Vp\n# m/s\n1 2\n3 x", "line 4, value 2: \"x\" is not a number"},
      {"ncols 2\nnrows 2\ncellsize 1\n1 2\n3 x", "line 5, value 2: \"x\" is not a number"},
      {"1 2\nTitle", "line 2, value 1: \"Title\" is not a number"},  // titles lead
      {"1 2 3\n4 5,6,7 8\n",
       "line 2, value 2: \"5,6,7\" holds commas between blanks that may "
       "part values, thousands or decimals"},
      // Commas that group thousands, one to three digits before each, or decimal commas.
      {"1,250 12,500\n125,000 2",
       "line 1, value 1: \"1,250\" may be 1.250 with a decimal comma or 1250 with a thousands "
       "separator"},
      {"1 2\n3 *****",
       "line 2, value 2: \"*****\" is a Fortran field too narrow for its value: "
       "write the file with a wider format"},
      {"1 -Infinity", "line 1, value 2: \"-Infinity\" is beyond the range of 32-bit floats"},
      // A leading line of words and numbers is neither a title nor values.
      {"# m/s\nVp 1.5D+03 (Marmousi-II)\n1 2",
       "line 2 mixes words and numbers (\"Vp\", \"1.5D+03\"): it is neither a title nor a line of "
       "values (a # before it makes it a comment)"},
  };
  for (const auto& [text, fault] : cases) {
    const TextGridRead read = ReadTextGridText(text, "vp.txt");
    EXPECT_EQ(read.status.message(), "vp.txt, " + fault) << text;
    EXPECT_TRUE(read.values.empty());
  }
}

// No line of numbers is a title, however its numbers are spelled: NaN is a hole, D an exponent.
// Holes are counted with the first one's place, whatever form declares them.
TEST(TextGridReaderTest, EveryLineOfNumbersIsReadAndNaNsAreHoles) {
  const float hole = 1.70141e38f;
  const struct {
    std::string text;
    Floats values;
    std::uint64_t titles, holes, firstHole;
    std::string marker;
  } cases[] = {
      {"x z vp\nNaN nan\n-nan 4\n", {hole, hole, hole, 4}, 1, 3, 0, "NaN"},
      {"Marmousi-II\n1.500000D+03 1.5d3\n2 3", {1500, 1500, 2, 3}, 1, 0, 0, ""},
      {"ncols 2\nnrows 2\ncellsize 1\nnodata_value -1\n1 -1\nnan 4",
       {1, hole, hole, 4},
       0,
       2,
       1,
       "nodata_value -1 and NaN"},
      {"ncols 2\nnrows 2\ncellsize 1\nnodata_value nan\n1 2\n3 NaN",
       {1, 2, 3, hole},
       0,
       1,
       3,
       "nodata_value NaN"},
      {"DSAA\n2 2\n0 1\n0 1\n0 9\n1 nan\n1.70141e38 4",
       {1, hole, hole, 4},
       0,
       2,
       1,
       "Surfer's blank, 1.70141e38 and above and NaN"},
  };
  for (const auto& [text, values, titles, holes, firstHole, marker] : cases) {
    const TextGridRead read = ReadTextGridText(text, "vp.txt");
    EXPECT_EQ(ValuesOf(read), values) << text;
    EXPECT_EQ(read.form.titles.count, titles) << text;
    EXPECT_EQ(std::tie(read.form.holes, read.form.firstHole, read.form.holeMarker),
              std::tie(holes, firstHole, marker))
        << text;
  }
}

// A model is written top row first: a Surfer grid's y or the triplets' z say which way is up,
// turned the other way round when the user turns the rows (the turn is made once they are
// arranged); a header names the triplets' columns; coordinates may be in km.
TEST(TextGridReaderTest, CoordinatesSayWhichRowIsTheTopAndInWhatUnit) {
  const std::string surfer = "DSAA\n2 2\n0 1\n", grid = "\n0 9\n1 2\n3 4";
  const std::string elevations = "0 -1 1\n1 -1 2\n0 0 3\n1 0 4\n";
  const struct {
    std::string text;
    bool turned, km;
    Floats values;
    std::string form;
  } cases[] = {
      {surfer + "-1 0" + grid,
       false,
       false,
       {3, 4, 1, 2},
       "Surfer ASCII grid, nx 2, ny 2, x 0 to 1, y -1 to 0, read as elevation: the top row is y 0"},
      {surfer + "-1 0" + grid,
       true,
       false,
       {3, 4, 1, 2},
       "Surfer ASCII grid, nx 2, ny 2, x 0 to 1, y -1 to 0, read as depth: the top row is y -1"},
      {surfer + "0 1" + grid,
       false,
       false,
       {1, 2, 3, 4},
       "Surfer ASCII grid, nx 2, ny 2, x 0 to 1, y 0 to 1, read as depth: the top row is y 0"},
      {elevations,
       false,
       false,
       {3, 4, 1, 2},
       "x z value triplets, x 0 to 1 and z -1 to 0 at steps of 1 and 1, read as elevation: the "
       "top row is z 0"},
      {"Vp;Z;X\n1;5;0\n2;5;1\n3;6;0\n4;6;1\n",
       false,
       false,
       {1, 2, 3, 4},
       "x z value triplets, columns Vp, Z, X by name, x 0 to 1 and z 5 to 6 at steps of 1 and 1, "
       "read as depth: the top row is z 5, values apart by semicolons"},
      {"x elevation v\n0 -1 1\n1 -1 2\n0 1 3\n1 1 4\n",
       false,
       false,
       {3, 4, 1, 2},
       "x z value triplets, x 0 to 1 and z -1 to 1 at steps of 1 and 2, read as elevation: the top "
       "row is z 1"},
      {"0 0 1\n0.02 0 2\n0 0.02 3\n0.02 0.02 4\n",
       false,
       true,
       {1, 2, 3, 4},
       "x z value triplets, x 0 to 0.02 and z 0 to 0.02 at steps of 0.02 and 0.02, read as depth: "
       "the top row is z 0, coordinates in km"},
  };
  for (const auto& [text, turned, km, values, form] : cases) {
    TextReadingChoices choices;
    choices.flipZ = turned;
    choices.coordinatesInKm = km;
    const TextGridRead read = ReadTextGridText(text, "vp.txt", choices);
    EXPECT_EQ(ValuesOf(read), values) << text;
    EXPECT_EQ(DescribeForm(read.form), form) << text;
    EXPECT_EQ(read.form.dx, km ? 20.0f : 1.0f) << text;  // 0.02 km is 20 m exactly
  }
  const std::pair<std::string, std::string> refused[] = {
      {"x,depth,vp\n" + elevations,
       "vp.txt: its header names column 2 depth, but it runs from -1 to 0, at or below 0 as "
       "elevations do: is the header right?"},
      {"depth offset vp\n" + elevations,
       "vp.txt, line 1: its column names \"depth offset vp\" do not say which column is x and "
       "which "
       "z: name them x, z (or y, depth, elevation) and the value's name, in any order"},
      {"0 0 1\n1 0 2\n0 1 3\nnan 1 4",
       "vp.txt: triplet 4 has no x (NaN): a node needs both of its "
       "coordinates"},
      {"1 2\n3 4", "vp.txt: a plain text grid holds no coordinates to read in km"},
  };
  TextReadingChoices km;
  km.coordinatesInKm = true;
  for (const auto& [text, message] : refused) {
    const TextGridRead read = ReadTextGridText(text, "vp.txt", km);
    EXPECT_EQ(read.status.message(), message) << text;
  }
}

// A header is read as its form has it, and refused naming the line that breaks it.
TEST(TextGridReaderTest, HeadersThatCannotBeReadAreRefusedNamingWhatIsWrong) {
  const std::string grid = "\n1 2\n3 4\n";
  const std::pair<std::string, std::string> cases[] = {
      {"ncols 2\nnrows 2" + grid,
       "vp.txt: its ESRI ASCII grid header has no cellsize (nor dx and dy)"},
      {"ncols 2\nnrows 2\ndx 1" + grid, "vp.txt: its ESRI ASCII grid header has no dy"},
      {"NCOLS 2\nncols 2" + grid, "vp.txt, line 2: ncols is given twice"},
      {"ncols 2\nxllcorner 0\nXLLCorner 5" + grid, "vp.txt, line 3: xllcorner is given twice"},
      {"ncols 0\nnrows 2" + grid,
       "vp.txt, line 1: ncols must be a whole number above 0, not \"0\""},
      {"ncols 2\nnrows 2.5" + grid,
       "vp.txt, line 2: nrows must be a whole number above 0, not \"2.5\""},
      {"ncols 2\nnrows 2\ncellsize 0" + grid,
       "vp.txt, line 3: cellsize must be a number above 0, not \"0\""},
      {"ncols 2\nnrows 2\ncellsize 1\ndx 1" + grid,
       "vp.txt: its ESRI ASCII grid header gives both cellsize and dx; give one or the other"},
      {"ncols 2\nnrows 2\ncellsize 1\nprojection 32" + grid,
       "vp.txt, line 4: \"projection\" is not a key of an ESRI ASCII grid header (ncols, nrows, "
       "xllcorner or xllcenter, yllcorner or yllcenter, cellsize or dx and dy, nodata_value)"},
      {"ncols 2\nnrows 2\ncellsize 1\nzone 32 N" + grid,
       "vp.txt, line 4: an ESRI ASCII grid header's line holds a key and its value, not \"zone 32 "
       "N\""},
      {"DSAA\n2 1\n0 1\n0 1\n0 9" + grid,
       "vp.txt, line 2: the Surfer grid header's ny must be a whole number of 2 or more, not "
       "\"1\""},
      {"DSAA\n2 2\n0 1\n0 y",
       "vp.txt, line 4: the Surfer grid header's yhi must be a number, not \"y\""},
      {"dsaa\n2 2\n1 0\n0 1\n0 9" + grid,
       "vp.txt: its Surfer grid header gives x from 1 to 0: xhi must be above xlo"},
      {"DSAA\n2 2\n0 1\n0 1\n0 9 5" + grid,
       "vp.txt, line 5: \"5\" follows the Surfer grid header's zhi"},
      {"DSAA\n2 2\n0 1",
       "vp.txt: its Surfer grid header ends before its nx ny, xlo xhi, ylo yhi and zlo zhi"},
      {"DSAA\n2 2\n0 1\n0 1\n0 9\n1 2 3",
       "vp.txt: the Surfer grid header gives 2 x 2 = 4 values, but 3 follow it"},
      {"Vp, Marmousi-II\n%\n\n#\n\n%\n\n#\n\n%\n",
       "vp.txt: holds no values, only 1 title line (1), 5 comment lines (2, 4, 6, 8, ...)"},
  };
  for (const auto& [text, message] : cases) {
    const TextGridRead read = ReadTextGridText(text, "vp.txt");
    EXPECT_EQ(read.status.message(), message) << text;
    EXPECT_TRUE(read.values.empty());
  }
}

TEST(TextGridReaderTest, BoundsStartAtPlusMinusOneEThirty) {
  const TextGridSummary above = ReadTextGridText("2e30 5e30\n3e30", "vp.txt").summary;
  const TextGridSummary below = ReadTextGridText("-2e30 -5e30", "vp.txt").summary;
  EXPECT_EQ((Floats{above.minimum, above.maximum, below.minimum, below.maximum}),
            (Floats{1e30f, 5e30f, -5e30f, -1e30f}));
}

// gzip data is told by its first bytes, whatever the name; damaged data is refused, not read in
// part.
TEST(TextGridReaderTest, GzipFilesReadAsTheirTextAndDamagedOnesAreRefused) {
  ScratchFolder scratch;
  const std::string text =
      "\xEF\xBB\xBF"
      "1 2 3\r\n4 5 6\n";
  const std::string gzip = GzipOf(text);
  for (const std::string& path : {scratch.Write("vp.txt", text), scratch.Write("vp.txt.gz", gzip),
                                  scratch.Write("gzip.txt", gzip),
                                  scratch.Write("two.gz", GzipOf("1 2 3\r\n") + GzipOf("4 5 6"))}) {
    const TextGridRead read = ReadTextGrid(path, "vp");
    EXPECT_EQ(ValuesOf(read), (Floats{1, 2, 3, 4, 5, 6})) << path;
    EXPECT_EQ(DescribeLines(read.lines), "2 lines of 3 values") << path;
  }
  // Damaged data with zlib's reason: in its compressed blocks, and in its header.
  std::string damaged = gzip, badMethod = gzip;
  damaged[damaged.size() / 2] ^= 0x55;
  badMethod[2] = 7;
  const auto damage = [](const std::string& bytes) {
    EXPECT_NE(ZlibReason(bytes), "");
    return "its gzip data is damaged (" + ZlibReason(bytes) + ")";
  };
  const std::pair<std::string, std::string> refused[] = {
      {gzip.substr(0, gzip.size() - 4), "its gzip data is cut short"},
      {damaged, damage(damaged)},
      {badMethod, damage(badMethod)},
      {gzip + "1 2 3", "its gzip data is followed by other bytes"},
      {"\x1F\x8B", "its gzip data is cut short"},
  };
  for (const auto& [bytes, problem] : refused) {
    const TextGridRead read = ReadTextGrid(scratch.Write("bad.gz", bytes), "bad.gz");
    EXPECT_EQ(read.status.message().rfind("bad.gz: " + problem, 0), 0u) << read.status.message();
    EXPECT_TRUE(read.values.empty());
  }
  const TextGridRead missing = ReadTextGrid(scratch.Path("none.txt"), "--vp a/none.txt");
  EXPECT_EQ(missing.status.message().rfind("--vp a/none.txt: cannot open: ", 0), 0u);
  EXPECT_GT(missing.status.message().size(), 30u);  // with the system's reason
}

}  // namespace

namespace {

TextReadingChoices Choices(std::uint32_t skipRows, std::uint32_t skipColumns,
                           ValueOrder order = ValueOrder::kRows,
                           std::optional<TextForm> form = std::nullopt) {
  TextReadingChoices choices;
  choices.order = order;
  choices.skipRows = skipRows;
  choices.skipColumns = skipColumns;
  choices.form = form;
  return choices;
}

// A matrix with axes is told from its text (axes whose neighbours keep another step) and read as
// its grid, x growing to the right and the top row first: the least z, or the greatest of an
// elevation (z wholly at or below 0); leading rows and columns are left out as the
// file's lines hold them; the form chosen is the one read. Each with its values, X size and how
// that is known.
TEST(TextGridReaderTest, TheChoicesAndTheAxesSayWhichValuesMakeTheGrid) {
  const std::string matrix = "0 10 20 30\n5 1 2 3\n10 4 5 7\n15 7 8 9\n";
  const struct {
    std::string text;
    TextReadingChoices choices;
    Floats values;
    std::int32_t nx;
    HowKnown how;
  } cases[] = {
      {matrix, {}, {1, 2, 3, 4, 5, 7, 7, 8, 9}, 3, HowKnown::kStated},
      {"0 30 20 10\n15 1 2 3\n10 4 5 6\n5 7 8 8\n",
       {},
       {8, 8, 7, 6, 5, 4, 3, 2, 1},
       3,
       HowKnown::kStated},
      {"nan 10 20 30\n-10 7 8 9\n-5 4 5 6\n0 1 2 3\n",
       {},
       {1, 2, 3, 4, 5, 6, 7, 8, 9},
       3,
       HowKnown::kStated},
      // The values next to the axes keep their steps: a linear model, not coordinates.
      {"0 10 20 30\n5 15 25 35\n10 25 35 45\n15 35 45 55\n",
       {},
       {0, 10, 20, 30, 5, 15, 25, 35, 10, 25, 35, 45, 15, 35, 45, 55},
       4,
       HowKnown::kShown},
      {matrix, Choices(1, 1), {1, 2, 3, 4, 5, 7, 7, 8, 9}, 3, HowKnown::kShown},
      {"# x\n9 9\n% between\n1 2\n3 4\n", Choices(1, 0), {1, 2, 3, 4}, 2, HowKnown::kShown},
      {"9 1 2\n9 3 4\n", Choices(0, 1), {1, 2, 3, 4}, 2, HowKnown::kShown},
      // Stored column by column, the lines are its columns.
      {"9 1 2\n9 3 4\n", Choices(1, 0, ValueOrder::kColumns), {1, 2, 3, 4}, 2, HowKnown::kShown},
      {"9 9 9\n1 2 3\n4 5 6\n",
       Choices(0, 1, ValueOrder::kColumns),
       {1, 2, 3, 4, 5, 6},
       2,
       HowKnown::kShown},
      // Headers read in the form chosen for them.
      {"ncols 2\nnrows 2\ncellsize 10\n1 2\n3 4\n",
       Choices(0, 0, ValueOrder::kRows, TextForm::kEsri),
       {1, 2, 3, 4},
       2,
       HowKnown::kStated},
      {"DSAA\n2 2\n0 10\n0 10\n1 4\n1 2\n3 4\n",
       Choices(0, 0, ValueOrder::kRows, TextForm::kSurfer),
       {1, 2, 3, 4},
       2,
       HowKnown::kStated},
      // Triplets read as a plain grid three values wide.
      {"0 0 3\n1 0 6\n0 1 9\n1 1 12\n",
       Choices(0, 0, ValueOrder::kRows, TextForm::kPlain),
       {0, 0, 3, 1, 0, 6, 0, 1, 9, 1, 1, 12},
       3,
       HowKnown::kShown},
      {matrix,
       Choices(0, 0, ValueOrder::kRows, TextForm::kPlain),
       {0, 10, 20, 30, 5, 1, 2, 3, 10, 4, 5, 7, 15, 7, 8, 9},
       4,
       HowKnown::kShown},
      {"1 2 3 4 5 6\n", {}, {1, 2, 3, 4, 5, 6}, 2, HowKnown::kGuessed},
      {"1 2 3\n4 5\n6 7 8\n9 10\n", {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5, HowKnown::kShown},
      {"1 2 3\n4 5\n6 7\n8 9 10\n", {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5, HowKnown::kGuessed},
  };
  for (const auto& c : cases) {
    const TextGridRead read = ReadTextGridText(c.text, "vp.txt", c.choices);
    EXPECT_EQ(ValuesOf(read), c.values) << c.text;
    EXPECT_EQ(read.form.nx, c.nx) << c.text;
    EXPECT_EQ(read.form.facts.nx.how, c.how) << c.text;
  }
  const TextGridRead read = ReadTextGridText(matrix, "vp.txt");
  EXPECT_EQ(
      DescribeForm(read.form),
      "matrix with axes, x 10 to 30 and z 5 to 15 at steps of 10 and 5, read as depth: the top "
      "row is z 5");
  EXPECT_EQ(read.form.dz, 5.0f);
  EXPECT_EQ(read.summary.maximum, 9.0f);
  EXPECT_EQ(DescribeForm(ReadTextGridText("9 1 2\n9 3 4\n", "vp.txt", Choices(1, 1)).form),
            "plain text grid, 1 row left out, 1 column left out");
}

TEST(TextGridReaderTest, AFormChosenThatTheTextIsNotIsRefusedSayingWhy) {
  const std::pair<TextReadingChoices, std::string> cases[] = {
      {Choices(0, 0, ValueOrder::kRows, TextForm::kEsri),
       "vp.txt is not an ESRI ASCII grid: no ESRI ASCII grid header (ncols, nrows, cellsize ...) "
       "comes before its values"},
      {Choices(0, 0, ValueOrder::kRows, TextForm::kSurfer),
       "vp.txt is not a Surfer ASCII grid: it does not begin with DSAA"},
      {Choices(0, 0, ValueOrder::kRows, TextForm::kMatrix),
       "vp.txt is not a matrix with axes: its first row after the corner cell does not rise or "
       "fall by one step"},
      {Choices(0, 4),
       "vp.txt: its lines hold 4 values: leaving out the first 4 values of every line leaves "
       "none"},
  };
  for (const auto& [choices, message] : cases) {
    const TextGridRead read = ReadTextGridText("1 2 3 5\n5 4 6 1\n9 9 1 2\n", "vp.txt", choices);
    EXPECT_EQ(read.status.message(), message);
    EXPECT_TRUE(read.values.empty());
  }
}

}  // namespace
