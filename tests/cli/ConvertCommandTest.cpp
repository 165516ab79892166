#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "CliTestSupport.h"
#include "support/GridFileWords.h"

namespace {

// The file's lines say its rows: with no --nx, Marmousi-II is 500 x 174; a value too many breaks
// the lines' pattern, and the refusal says where.
TEST(ConvertCommandTest, TheXSizeIsTheRowsTheLinesHoldAndARefusalSaysWhereTheyBreak) {
  ScratchFolder scratch;
  const RunResult result =
      RunTool({"convert", "--vp", MarmousiPath("vp.txt"), "--output", scratch.Path("model")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "Wrote " + scratch.Path("model") +
                            ": nx 500 from the lines (174 lines of 500 values), nz 174, "
                            "properties P, 348296 bytes\n");

  const std::string longer =
      scratch.Write("vp175.txt", ReadFileBytes(MarmousiPath("vp.txt")) + "1500\n");
  ExpectFailure(RunTool({"convert", "--vp", longer, "--nx", "500", "-o", scratch.Path("m.mvg")}), 1,
                {"--nx 500 is not an X size of 87001 values; choose one of 19, 241, 361, 4579; "
                 "--vp " +
                 longer + ": 174 lines of 500 values, then line 175 holds 1 value"});
  ExpectFailure(RunTool({"convert", "--vp", MarmousiPath("vp.txt"), "--vs", longer, "-o",
                         scratch.Path("m.mvg")}),
                1, {"--vs " + longer + ": 174 lines of 500 values, then line 175 holds 1 value"});
  EXPECT_FALSE(scratch.Exists("m.mvg"));
}

TEST(ConvertCommandTest, ValuesThatDoNotFitTheirUnitsAreWarnedOfOrWithStrictRefused) {
  ScratchFolder scratch;
  const std::string vp = MarmousiPath("vp.txt"), rho = MarmousiPath("density.txt"),
                    vs = MarmousiPath("vs.txt"), kms = scratch.Write("kms.txt", "1.5 4.77 2 3\n");
  // A Ctrl-Z (character 26) that cuts the text short; values beyond any whole number.
  const std::string cut = scratch.Write("cut.txt", "1500 1600\n1700 1800\x1a\n1900 2000\n");
  const std::string huge = scratch.Write("huge.txt", "1500 1e36 -3e20 1800\n");
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--density", rho, "--density-units", "g/cm3"},
       "--density " + rho + " holds 1010 to 2627: that looks like kg/m3, not g/cm3."},
      {{"--vp", vp, "--vs", vs, "--vp-units", "ft/s", "--nx", "500"},
       "Vs is above Vp at 76000 of 87000 nodes, the first at row 23, column 1 (Vs 1061 m/s, "
       "Vp 560 m/s)."},
      {{"--vp", kms}, "--vp " + kms + " holds 1.5 to 4.77: that looks like km/s, not m/s."},
      {{"--vp", cut},
       "--vp " + cut +
           ": a Ctrl-Z (end-of-file mark) on line 2 ends the text, but more text follows it; "
           "nothing after it is converted."},
      {{"--vp", huge},
       "--vp " + huge +
           " holds -3e+20 to 1e+36 m/s: that is not a plausible range for Vp (100 to 10000 m/s)."},
  };
  for (const auto& [options, finding] : cases) {
    std::vector<std::string> args = {"convert", "-o", scratch.Path("m.mvg")};
    args.insert(args.end(), options.begin(), options.end());
    const RunResult warned = RunTool(args);
    EXPECT_EQ(warned.status, 0);
    EXPECT_EQ(warned.err, "mvgtool: warning: " + finding + "\n");
    EXPECT_TRUE(scratch.Exists("m.mvg"));
    std::remove(scratch.Path("m.mvg").c_str());
    args.push_back("--strict");
    ExpectFailure(RunTool(args), 1, {"mvgtool: " + finding + "\n"});
    EXPECT_FALSE(scratch.Exists("m.mvg"));
  }
}

// Vs in km/s, which only mvgtool offers.
TEST(ConvertCommandTest, WritesTheWindowOfFirstColumnsAndRowsAsAsked) {
  ScratchFolder scratch;
  const std::string vs = scratch.Write("vs.txt", "0 1 2 3\n4 5 6 7\n8 9 10 11\n");
  const RunResult result =
      RunTool({"convert", "--vs", vs, "--vs-units", "km/s", "--nx", "4", "--nx-write", "2",
               "--nz-write=2", "-o", scratch.Path("w.mvg")});
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
      {{"--vp", missing}, 1, "--vp " + missing + ": cannot open: "},
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
      {{}, 2, "convert: no input: give at least one of --vp, --density, --vs"},
      {{"--vp", six, "--vz", "x"}, 2, "convert: unknown option \"--vz\""},
      {{"--vp", six, "--vp=y"}, 2, "convert: option --vp is given twice"},
      {{"--vp", six, "--strict=yes"}, 2, "convert: option --strict takes no value"},
      {{"--vp"}, 2, "convert: option --vp needs a value"},  // "-o" is an option
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
    if (std::find(args.begin(), args.end(), "-o") == args.end())
      args.insert(args.end(), {"-o", out});
    ExpectFailure(RunTool(args), c.status, {c.piece});
  }
  ExpectFailure(RunTool({"convert", "--vp", six}), 2, {"convert: no output: give -o OUTPUT"});
  EXPECT_EQ(scratch.Read("out.mvg"), "the previous model");
  EXPECT_EQ(scratch.Read("six.txt"), "1501 1502 1503\n1504 1505 1506\n");
  EXPECT_FALSE(scratch.Exists("nowhere"));
}

}  // namespace
