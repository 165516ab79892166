#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CliTestSupport.h"
#include "support/GridFileWords.h"

namespace {

// The file's lines say its rows: with no --nx, Marmousi-II is 500 x 174; a value too many breaks
// the lines' pattern, and the refusal says where.
TEST(ConvertCommandTest, TheXSizeIsTheRowsTheLinesHoldAndARefusalSaysWhereTheyBreak) {
  ScratchFolder scratch;
  const RunResult result = RunTool({"convert", "--vp", MarmousiPath("vp.txt"), "--dx", "20", "--dz",
                                    "20", "--output", scratch.Path("model")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "Wrote " + scratch.Path("model") +
                            ": nx 500 from the lines (174 lines of 500 values), nz 174, "
                            "properties P, 348296 bytes\n");

  const std::string longer =
      scratch.Write("vp175.txt", ReadFileBytes(MarmousiPath("vp.txt")) + "1500\n");
  ExpectFailure(RunTool({"convert", "--vp", longer, "--nx", "500", "--dx", "1", "--dz", "1", "-o",
                         scratch.Path("m.mvg")}),
                1,
                {"--nx 500 is not an X size of 87001 values; choose one of 19, 241, 361, 4579; "
                 "--vp " +
                 longer + ": 174 lines of 500 values, then line 175 holds 1 value"});
  ExpectFailure(RunTool({"convert", "--vp", MarmousiPath("vp.txt"), "--vs", longer, "--dx", "1",
                         "--dz", "1", "-o", scratch.Path("m.mvg")}),
                1, {"--vs " + longer + ": 174 lines of 500 values, then line 175 holds 1 value"});
  EXPECT_FALSE(scratch.Exists("m.mvg"));
}

// Marmousi-II's Vp rows, and text of them with perLine values a line, each row from a new line.
using Rows = std::vector<std::vector<std::string>>;

Rows MarmousiRows() {
  std::istringstream text(ReadFileBytes(MarmousiPath("vp.txt")));
  Rows rows;
  for (std::string line; std::getline(text, line);) {
    std::istringstream values(line);
    rows.emplace_back(std::istream_iterator<std::string>(values),
                      std::istream_iterator<std::string>());
  }
  return rows;
}

std::string Lines(const Rows& rows, std::size_t perLine) {
  std::string text;
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      text += row[i] + ((i + 1) % perLine == 0 || i + 1 == row.size() ? "\n" : " ");
    }
  }
  return text;
}

// Files shaped the way colleagues send them: each finding refuses with nothing written, and with
// --force the file is written and the summary names the finding.
TEST(ConvertCommandTest, AWronglyShapedModelIsRefusedWithItsFindingAndWrittenOnlyWithForce) {
  ScratchFolder scratch;
  const Rows rows = MarmousiRows();
  Rows missing = rows, columns(500), hole = rows, kms = rows;
  missing[99].erase(missing[99].begin() + 250);
  for (const auto& row : rows) {
    for (std::size_t x = 0; x < row.size(); ++x) columns[x].push_back(row[x]);
  }
  for (int z = 100; z < 103; ++z) {
    for (int x = 200; x < 205; ++x) hole[z][x] = "-9999";
  }
  for (auto& row : kms) {
    for (std::string& value : row) value = std::to_string(std::stod(value) / 1000);
  }
  const std::string vp = MarmousiPath("vp.txt"), out = scratch.Path("m.mvg");
  const std::string gap = scratch.Write("gap.txt", Lines(missing, 500)),
                    byColumn = scratch.Write("by-column.txt", Lines(columns, 174)),
                    wrapped = scratch.Write("wrapped.txt", Lines(rows, 10)),
                    holed = scratch.Write("holed.txt", Lines(hole, 500)),
                    inKms = scratch.Write("kms.txt", Lines(kms, 500));
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--vp", gap},
       "--vp " + gap +
           ": 99 lines of 500 values, then line 100 holds 499 values: no X size follows from these "
           "lines; is a value missing or one too many on line 100?"},
      {{"--vp", byColumn},
       "--vp " + byColumn +
           ": values change 4 times more along the rows than down the columns: is the file "
           "stored column by column?"},
      {{"--vp", vp, "--nx", "435", "--strict"},  // the old spelling, accepted
       "--vp " + vp +
           ": rows of 435 values do not fit its lines (174 lines of 500 values): is the X size "
           "500?"},
      {{"--vp", wrapped},
       "A grid of 10 x 8700 nodes is 870 times deeper than wide: are its rows wrapped over "
       "several lines, or is the file stored column by column?"},
      {{"--vp", holed},
       "--vp " + holed + " holds 15 no-data markers, the first -9999 at row 101, column 201."},
      {{"--vp", inKms}, "--vp " + inKms + " holds 1.5 to 4.77: that looks like km/s, not m/s."},
      {{"--vp", vp, "--dx", "0.02"}, "--dx 0.02: a step in km?"},
  };
  for (const auto& [options, finding] : cases) {
    std::vector<std::string> args = {"convert", "-o", out, "--dz", "20"};
    args.insert(args.end(), options.begin(), options.end());
    if (std::find(args.begin(), args.end(), "--dx") == args.end())
      args.insert(args.end(), {"--dx", "20"});
    const RunResult refused = RunTool(args);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "mvgtool: " + finding +
                               "\nmvgtool: nothing written; --force writes the grid file anyway\n");
    EXPECT_FALSE(scratch.Exists("m.mvg"));
    args.push_back("--force");
    const RunResult forced = RunTool(args);
    EXPECT_EQ(forced.status, 0);
    const std::string named = "; --force overrode 1 finding: " + finding + "\n";
    EXPECT_EQ(forced.out.substr(forced.out.size() - std::min(forced.out.size(), named.size())),
              named);
    EXPECT_TRUE(scratch.Exists("m.mvg"));
    std::remove(out.c_str());
  }
  // Read 500 values a row, the wrapped rows are the model itself.
  ASSERT_EQ(
      RunTool({"convert", "--vp", wrapped, "--nx", "500", "--dx", "20", "--dz", "20", "-o", out})
          .status,
      0);
  ASSERT_EQ(
      RunTool({"convert", "--vp", vp, "--dx", "20", "--dz", "20", "-o", scratch.Path("plain")})
          .status,
      0);
  EXPECT_TRUE(scratch.Read("m.mvg") == scratch.Read("plain"));
}

// Vs in km/s.
TEST(ConvertCommandTest, WritesTheWindowOfFirstColumnsAndRowsAsAsked) {
  ScratchFolder scratch;
  const std::string vs = scratch.Write("vs.txt", "0 1 2 3\n4 5 6 7\n8 9 9 9\n");
  const RunResult result =
      RunTool({"convert", "--vs", vs, "--vs-units", "km/s", "--nx", "4", "--nx-write", "2",
               "--nz-write=2", "--dx", "1", "--dz", "1", "-o", scratch.Path("w.mvg")});
  EXPECT_EQ(result.out, "Wrote " + scratch.Path("w.mvg") +
                            ": nx 2, nz 2, properties R, 312 bytes (the first rows and columns of "
                            "the 4 x 3 input grid)\n");
  EXPECT_EQ(DataWords(scratch.Read("w.mvg")), BitsOf({0, 1000, 4000, 5000}));
}

TEST(ConvertCommandTest, BadInputsAndMistakenOptionsAreRefusedLeavingTheOutputAlone) {
  ScratchFolder scratch;
  const std::string out = scratch.Write("out.mvg", "the previous model");
  const std::string twelve = scratch.Write("twelve.txt", "1 2 3 4 5 6 7 8 9 10 11 12\n");
  const std::string six = scratch.Write("six.txt", "1501 1502 1503\n1504 1505 1506\n");
  const std::string prime = scratch.Write("prime.txt", "1 2 3 4 5 6 7\n");
  const std::string bad = scratch.Write("bad.txt", "1 2\n3 4\n5 12a 6\n");
  const std::string missing = scratch.Path("missing.txt");
  const struct {
    std::vector<std::string> options;
    int status;
    std::string piece;
  } cases[] = {
      {{"--vp", twelve, "--nx", "5"},
       1,
       "--nx 5 is not an X size of 12 values; choose one of 2, 3, 4, 6"},
      {{"--vp", prime},
       1,
       "--vp " + prime +
           " holds 7 values, a number with no X size from 2 to half of it: no grid can be formed"},
      {{"--vp", twelve, "--nx", "4", "--nx-write", "5"},
       1,
       "--nx-write: Size nx=5 to Write could not be greater then nx=4 in input file"},
      {{"--vp", twelve, "--vs", six},
       1,
       "--vs " + six + " holds 6 values but --vp " + twelve + " holds 12"},
      {{"--vp", six, "--density", bad},
       1,
       "--density " + bad + ", line 3, value 2: \"12a\" is not a number"},
      {{"--vp", missing}, 1, "--vp " + missing + ": cannot open: "},
      {{"--vp", scratch.Write("cut.txt.gz", "\x1F\x8B\x08")},
       1,
       "--vp " + scratch.Path("cut.txt.gz") + ": its gzip data is cut short"},
      {{"--vp", six, "--nx", "3", "--dx", "-0"}, 1, "--dx: The X step must be greater than 0."},
      {{"--vp", six, "--nx", "2", "--dz", "3e38"},
       1,
       "--dz: The Z extent (Z size to write - 1) x Z step is too large for a grid file."},
      {{"--vp", six, "-o", scratch.Path("*.mvg")}, 1, "\"*\""},
      {{"--vp", six, "-o", scratch.Path("nowhere/out.mvg")}, 1, scratch.Path("nowhere/out.mvg")},
      // An output that would replace an input, however it is spelled.
      {{"--vp", six, "-o", scratch.Path("./six.txt")},
       1,
       "The grid file would replace the input file --vp " + six + ". Choose another name."},
      {{}, 2, "convert: no input: give at least one of --vp, --density, --vs"},
      {{"--vp", six, "--vz", "x"}, 2, "convert: unknown option \"--vz\""},
      {{"--vp", six, "--vp=y"}, 2, "convert: option --vp is given twice"},
      {{"--vp", six, "--strict=yes"}, 2, "convert: option --strict takes no value"},
      {{"--vp"}, 2, "convert: option --vp needs a value"},  // "-o" is an option
      {{"--vp", "-", "--vs", "-"}, 2, "convert: only one input can be \"-\", standard input"},
      {{"--vp", six, "--", "--nx"}, 2, "convert: unexpected argument \"--nx\""},
      {{"--vp", six, "--nx", "2x"}, 2, "convert: --nx needs a whole number, not \"2x\""},
      {{"--vp", six, "--dz=nan"}, 2, "convert: --dz needs a number, not \"nan\""},
      {{"--vp", six, "--vp-units", "mph"},
       2,
       "convert: --vp-units must be m/s, ft/s or km/s, not \"mph\""},
      {{"--vp", six, "--density-units", "kg/m3"},
       2,
       "convert: --density-units is given without --density"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"convert"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    for (const char* option : {"-o", "--dx", "--dz"}) {
      const bool given = std::any_of(args.begin(), args.end(), [&](const std::string& arg) {
        return arg.rfind(option, 0) == 0;
      });
      if (!given) args.insert(args.end(), {option, option[1] == 'o' ? out : "1"});
    }
    ExpectFailure(RunTool(args), c.status, {c.piece});
  }
  // Steps are never assumed.
  ExpectFailure(RunTool({"convert", "--vp", six, "-o", out}), 2,
                {"convert: no steps: give --dx and --dz, the grid steps in m"});
  ExpectFailure(RunTool({"convert", "--vp", six, "--dx", "2", "-o", out}), 2,
                {"convert: no --dz: give the grid step along Z in m"});
  ExpectFailure(RunTool({"convert", "--vp", six, "--dx", "1", "--dz", "1"}), 2,
                {"convert: no output: give -o OUTPUT"});
  ExpectFailure(RunTool({"convert", "--vp", six, "--dx", "1", "--dz", "1", "-o", "-"}, false, true),
                1,
                {"-o -: will not write a binary grid file to a terminal; redirect standard output "
                 "to a file or a pipe"});
  EXPECT_EQ(scratch.Read("out.mvg"), "the previous model");
  EXPECT_EQ(scratch.Read("six.txt"), "1501 1502 1503\n1504 1505 1506\n");
  EXPECT_FALSE(scratch.Exists("nowhere"));
}

}  // namespace
