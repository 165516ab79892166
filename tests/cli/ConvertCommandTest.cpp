#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CliTestSupport.h"

namespace {

// The file's lines say its rows: with no --nx, Marmousi-II is 500 x 174; a value too many breaks
// the lines' pattern, and the refusal says where. With Vp alone, its least value is the slowest
// velocity: by hand, 1500 / (5 x 20) Hz, 1500 / (10 x 20) Hz.
TEST(ConvertCommandTest, TheXSizeIsTheRowsTheLinesHoldAndARefusalSaysWhereTheyBreak) {
  ScratchFolder scratch;
  const RunResult result = RunTool({"convert", "--vp", MarmousiPath("vp.txt"), "--dx", "20", "--dz",
                                    "20", "--output", scratch.Path("model")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "Wrote " + scratch.Path("model") +
                ": nx 500 from the lines (174 lines of 500 values), nz 174, properties P, 348296 "
                "bytes\n"
                "Stability for finite-difference modelling (figures rounded down to 4 digits):\n"
                "  slowest velocity 1500 m/s: the smallest Vp (no Vs above 0)\n"
                "  fastest velocity 4766 m/s: the largest Vp\n"
                "  highest frequency 15.00 Hz at 5 nodes a shortest wavelength: f = Vmin / (5 x 20 "
                "m, the larger step)\n"
                "  highest frequency 7.500 Hz at 10 nodes a shortest wavelength: f = Vmin / (10 x "
                "20 m)\n"
                "  largest time step 2.966 ms for a second-order 2-D scheme: dt <= h / (Vmax x "
                "sqrt 2), h = 20 m, the smaller step\n"
                "  largest time step 2.542 ms for a fourth-order staggered scheme: dt <= 0.606 x h "
                "/ Vmax\n");

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
  // A Ctrl-Z (character 26) that cuts the text short; values beyond any whole number.
  const std::string cut = scratch.Write("cut.txt", "1500 1600\n1700 1800\x1a\n1900 2000\n");
  const std::string huge = scratch.Write("huge.txt", "1500 1e36\n-3e20 1800\n");
  const std::string zero = scratch.Write("zero.txt", "0 1500\n1600 1800\n");   // only Vs may be 0
  const std::string sea = scratch.Write("sea.txt", "1500 1500\n2000 3000\n");  // water on top
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
      {{"--vp", cut},
       "--vp " + cut +
           ": a Ctrl-Z (end-of-file mark) on line 2 ends the text, but more text follows it; "
           "nothing after it is converted."},
      {{"--vp", huge},
       "--vp " + huge +
           " holds -3e+20 to 1e+36 m/s: that is not a plausible range for Vp (100 to 10000 m/s)."},
      {{"--vp", zero},
       "--vp " + zero +
           " holds 0 to 1800 m/s: that is not a plausible range for Vp (100 to 10000 m/s)."},
      // What the rules make is checked as what a file holds.
      {{"--vp", sea, "--vs", "vp/173"},
       "Vs = Vp / 173 makes 11.6 to 17.3 m/s: that is not a plausible range for Vs (100 to 10000 "
       "m/s)."},
      {{"--vp", sea, "--density", "gardner", "--water-density", "1e30"},
       "Density by Gardner's relation makes 1e+30 kg/m3 in the sea: that is not a plausible value "
       "for density (500 to 6000 kg/m3)."},
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
    EXPECT_NE(forced.out.find(named), std::string::npos) << forced.out;
    EXPECT_TRUE(scratch.Exists("m.mvg"));
    std::remove(out.c_str());
  }
}

TEST(ConvertCommandTest, BadInputsAndMistakenOptionsAreRefusedLeavingTheOutputAlone) {
  ScratchFolder scratch;
  const std::string out = scratch.Write("out.mvg", "the previous model");
  const std::string twelve = scratch.Write("twelve.txt", "1 2 3 4 5 6 7 8 9 10 11 12\n");
  const std::string six = scratch.Write("six.txt", "1501 1502 1503\n1504 1505 1506\n");
  const std::string prime = scratch.Write("prime.txt", "1 2 3 4 5 6 7\n");
  const std::string bad = scratch.Write("bad.txt", "1 2\n3 4\n5 12a 6\n");
  const std::string huge = scratch.Write("huge.txt", "1.5 4.7\n1e36 3\n");
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
      {{"--vp", bad}, 1, "--vp " + bad + ", line 3, value 2: \"12a\" is not a number"},
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
      // A unit's factor takes it past the largest float.
      {{"--vp", huge, "--vp-units", "km/s"},
       1,
       "--vp " + huge +
           ", row 2, column 1: 1e+36 km/s is beyond the range of 32-bit floats in m/s."},
      // The model's preparation.
      {{"--vp", six, "--x-from", "2", "--nx-write", "2"},
       1,
       "--x-from: The window's X nodes 2 to 3 leave the grid, whose last X node is 2."},
      {{"--vp", six, "--z-from", "-1"},
       1,
       "--z-from: The window's first Z node, -1, is before the grid's first, 0."},
      {{"--vp", six, "--resample", "0", "1"},
       1,
       "--resample: The new X step must be greater than 0."},
      // Refused before anything is made: far more than any disk holds.
      {{"--vp", six, "--dx", "1000", "--dz", "1000", "--resample", "0.0001", "0.0001"},
       1,
       "The grid file " + out +
           " would hold 20000002 x 10000001 nodes of 1 property, "
           "200000040000002 values in 800000160000304 bytes: more than the "},
      {{"--vp", six, "--resample", "1e-10", "1"},
       1,
       "--resample: The grid to write, 19999999734 x 2 nodes, is more than a grid file holds "
       "(2147483647 nodes along an axis)."},
      {{"--vp", six, "--pad", "0,-1,0,0"},
       1,
       "--pad: The border's right side, -1 nodes, must be 0 nodes or more."},
      {{"--vp", six, "--fill-holes", "-9999"},
       1,
       "--fill-holes: Holes cannot be filled with -9999: it is a no-data marker itself."},
      {{"--vp", six, "--vs", "vp/1"},
       1,
       "--vs: Vs = Vp / 1 puts Vs at or above Vp: the ratio must be greater than 1."},
      {{"--vp", six, "--density", "gardner", "--water-density", "0"},
       1,
       "The water's density, 0 kg/m3, must be greater than 0."},
      {{"--density", "gardner"},
       2,
       "convert: --density gardner derives density from Vp: give --vp too"},
      {{"--vp", six, "--vs", "mudrock", "--vs-units", "km/s"},
       2,
       "convert: --vs-units applies to a Vs file, not to the rule --vs mudrock"},
      {{"--vp", six, "--water-vp", "1400"},
       2,
       "convert: --water-vp applies only to the rules --density gardner, --vs vp/R and --vs "
       "mudrock"},
      {{"--vp", six, "--fill-holes", "near"},
       2,
       "convert: --fill-holes needs nearest or a number, not \"near\""},
      {{"--vp", six, "--resample", "20", "x"},
       2,
       "convert: --resample needs two numbers, the new DX and DZ in m, not \"x\""},
      {{"--vp", six, "--pad", "1,2"},
       2,
       "convert: --pad needs four whole numbers LEFT,RIGHT,TOP,BOTTOM, not \"1,2\""},
      {{"--vp", six, "--x-from", "1.5"}, 2, "convert: --x-from needs a whole number, not \"1.5\""},
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
  // No temporary of a write begun while its input was read, nor anything else, is left.
  EXPECT_EQ(scratch.Names(),
            (std::vector<std::string>{"bad.txt", "cut.txt.gz", "huge.txt", "out.mvg", "prime.txt",
                                      "six.txt", "twelve.txt"}));
}

}  // namespace
