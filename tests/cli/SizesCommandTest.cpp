#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace {

// Figures with six significant digits, as the dialog shows them; the form, and the grid a form
// states with its holes; a refused file gets one line on stderr and the others are still shown.
TEST(SizesCommandTest, ShowsCountRangeFormLinesAndChoicesWithTheProposalMarked) {
  ScratchFolder scratch;
  const std::string small = scratch.Write("small.txt", "1234567.8 -0.000123456789 5 6\n");
  const std::string twelve = scratch.Write("twelve.txt", "1 2 3 4 5 6\n7 8 9 10 11 12\n");
  const std::string prime = scratch.Write("prime.txt", "1 2 3 4 5\n");
  const std::string bad = scratch.Write("bad.txt", "1\n2\n3 12a\n");
  const std::string esri = scratch.Write(
      "holes.asc", "ncols 3\nnrows 2\ncellsize 5\nnodata_value -9999\n1 -9999 3\n4 5 -9999\n");
  const std::string surfer =
      scratch.Write("blanks.grd", "DSAA\n3 2\n0 10\n0 5\n1 3\n1 2 3\n4 1.70141e38 2e38\n");
  const RunResult result = RunTool({"sizes", small, bad, twelve, prime, esri, surfer});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "mvgtool: " + bad + ", line 3, value 2: \"12a\" is not a number\n");
  EXPECT_EQ(
      result.out,
      small + ": 4 values, minimum -0.000123457, maximum 1.23457e+06\n" +
          "  form: plain text grid\n  lines: 1 line of 4 values\n  X sizes: [2]\n"
          "  proposed grid: nx 2, guessed as the largest divisor up to the square root (one line), "
          "nz 2\n" +
          twelve + ": 12 values, minimum 1, maximum 12\n" +
          "  form: plain text grid\n  lines: 2 lines of 6 values\n  X sizes: 2 3 4 [6]\n"
          "  proposed grid: nx 6 from the lines (2 lines of 6 values), nz 2\n" +
          prime + ": 5 values, minimum 1, maximum 5\n  form: plain text grid\n" +
          "  lines: 1 line of 5 values\n  X sizes: none, no grid can be formed of 5 values\n" +
          esri + ": 6 values, minimum -9999, maximum 5\n" +
          "  form: ESRI ASCII grid, ncols 3, nrows 2, cellsize 5, nodata_value -9999\n" +
          "  lines: 2 lines of 3 values\n" +
          "  grid: nx 3, nz 2, dx 5, dz 5, from the ESRI ASCII grid header\n" +
          "  holes: 2 (nodata_value -9999), the first at row 1, column 2\n" + surfer +
          ": 6 values, minimum 1, maximum 2e+38\n" +
          "  form: Surfer ASCII grid, nx 3, ny 2, x 0 to 10, y 0 to 5, read as depth: the top row "
          "is y 0\n" +
          "  lines: 2 lines of 3 values\n" +
          "  grid: nx 3, nz 2, dx 5, dz 5, from the Surfer grid header\n" +
          "  holes: 2 (Surfer's blank, 1.70141e38 and above), the first at row 2, column 2\n");
  // The fewest triplets that make a grid, two by two.
  const std::string four =
      scratch.Write("four.xyz", "0 0 1500\n10 0 1600\n0 10 1700\n10 10 1800\n");
  EXPECT_NE(RunTool({"sizes", four}).out.find("form: x z value triplets, x 0 to 10 and z 0 to 10"),
            std::string::npos);
  // Holes among values no grid can be formed of: no row or column to name, their place in the file.
  const std::string holed = scratch.Write("holed.txt", "1 2 NaN 4 5\n");
  EXPECT_NE(RunTool({"sizes", holed}).out.find("  holes: 1 (NaN), the first is value 3\n"),
            std::string::npos);
  // A file stored column by column: its lines hold columns.
  EXPECT_NE(RunTool({"sizes", twelve, "--order", "columns"})
                .out.find("proposed grid: nx 2 from the lines (2 lines of 6 values, a column "
                          "each), nz 6\n"),
            std::string::npos);
  ExpectFailure(RunTool({"sizes"}), 2, {"mvgtool sizes: no file given\nusage: mvgtool sizes"});
  ExpectFailure(RunTool({"sizes", "-", small, "-"}), 2,
                {"only one FILE can be \"-\", standard input"});
}

}  // namespace
