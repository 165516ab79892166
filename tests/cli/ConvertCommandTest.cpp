#include <gtest/gtest.h>

#include <cstdio>

#include "CliTestSupport.h"
#include "grid/GridFileHeader.h"

namespace {

constexpr std::size_t kHeader = 296;

// Node by node, in the order Vp, density, Vs; bit for bit what the text says (metric units).
void ExpectNodes(const std::string& file, const std::vector<std::vector<float>>& properties) {
  const std::size_t count = properties[0].size();
  ASSERT_EQ(file.size(), kHeader + 4 * count * properties.size());
  std::size_t mismatches = 0;
  for (std::size_t node = 0; node < count; ++node) {
    for (std::size_t p = 0; p < properties.size(); ++p) {
      mismatches += DataBits(file, node * properties.size() + p) != FloatBits(properties[p][node]);
    }
  }
  EXPECT_EQ(mismatches, 0u);
}

TEST(ConvertCommandTest, SamplesAndMarmousi2BecomeGridFilesNodeByNode) {
  ScratchFolder scratch;
  RunResult result = RunTool({"convert", "--vp", SamplePath("vp.txt"), "--density",
                              SamplePath("density.txt"), "--vs", SamplePath("vs.txt"), "--nx",
                              "120", "--dx", "25", "--dz=12.5", "-o", scratch.Path("a.mvg")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "Wrote " + scratch.Path("a.mvg") + ": nx 120, nz 40, properties PQR, 57896 bytes\n");
  std::string file = scratch.Read("a.mvg");
  EXPECT_EQ(file.substr(0, kHeader), HeaderBytes(120, 40, 25.0f, 12.5f, true, true, true));
  ExpectNodes(file, {ParseTextGrid(SamplePath("vp.txt")), ParseTextGrid(SamplePath("density.txt")),
                     ParseTextGrid(SamplePath("vs.txt"))});

  result = RunTool({"convert", "--vp", MarmousiPath("vp.txt"), "--vs", MarmousiPath("vs.txt"),
                    "--nx", "500", "-o", scratch.Path("marmousi2.mvg")});
  ASSERT_EQ(result.status, 0) << result.err;
  file = scratch.Read("marmousi2.mvg");
  EXPECT_EQ(file.substr(0, kHeader), HeaderBytes(500, 174, 1.0f, 1.0f, true, false, true));
  ExpectNodes(file, {ParseTextGrid(MarmousiPath("vp.txt")), ParseTextGrid(MarmousiPath("vs.txt"))});
}

// The file's lines say its rows: with no --nx, Marmousi-II is 500 x 174; a value too many breaks
// the lines' pattern, and the refusal says where.
TEST(ConvertCommandTest, DefaultsAreTheRowsTheLinesHoldTheWholeGridUnitStepsAndTheNameAsGiven) {
  ScratchFolder scratch;
  const RunResult result =
      RunTool({"convert", "--vp", MarmousiPath("vp.txt"), "--output", scratch.Path("model")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "Wrote " + scratch.Path("model") +
                            ": nx 500 from the lines (174 lines of 500 values), nz 174, "
                            "properties P, 348296 bytes\n");
  EXPECT_FALSE(scratch.Exists("model.mvg"));
  EXPECT_EQ(scratch.Read("model").substr(0, kHeader),
            HeaderBytes(500, 174, 1.0f, 1.0f, true, false, false));

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
                    vs = MarmousiPath("vs.txt"), kms = scratch.Write("kms.txt", "1.5 4.77 2 3\n"),
                    odd = scratch.Write("odd.txt", "5 20 7 9\n");
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--density", rho, "--density-units", "g/cm3"},
       "--density " + rho + " holds 1010 to 2627: that looks like kg/m3, not g/cm3."},
      {{"--vp", vp, "--vs", vs, "--vp-units", "ft/s", "--nx", "500"},
       "Vs is above Vp at 76000 of 87000 nodes, the first at row 23, column 1 (Vs 1061 m/s, "
       "Vp 560 m/s)."},
      {{"--vp", kms}, "--vp " + kms + " holds 1.5 to 4.77: that looks like km/s, not m/s."},
      {{"--vs", odd, "--vs-units", "ft/s"},
       "--vs " + odd +
           " holds 5 to 20 ft/s: that is not a plausible range for Vs (100 to 10000 "
           "m/s)."},
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
    const RunResult refused = RunTool(args);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "mvgtool: " + finding + "\n");
    EXPECT_FALSE(scratch.Exists("m.mvg"));
  }
}

TEST(ConvertCommandTest, WindowWritesTheFirstValuesOfTheFirstRows) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "0 1 2 3\n4 5 6 7\n8 9 10 11\n");
  const RunResult result =
      RunTool({"convert", "--vp", vp, "--nx", "4", "--nx-write", "2", "--nz-write=2", "--dx", "10",
               "--dz", "5", "-o", scratch.Path("window.mvg")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find(": nx 2, nz 2, properties P, 312 bytes (the first rows and columns "
                            "of the 4 x 3 input grid)"),
            std::string::npos)
      << result.out;
  const std::string file = scratch.Read("window.mvg");
  EXPECT_EQ(file.substr(0, kHeader), HeaderBytes(2, 2, 10.0f, 5.0f, true, false, false));
  ExpectNodes(file, {{0, 1, 4, 5}});
}

TEST(ConvertCommandTest, RefusedInputLeavesAnExistingOutputAlone) {
  ScratchFolder scratch;
  const std::string out = scratch.Write("out.mvg", "the previous model");
  const std::string twelve = scratch.Write("twelve.txt", "1 2 3 4 5 6 7 8 9 10 11 12\n");
  const std::string six = scratch.Write("six.txt", "1501 1502 1503\n1504 1505 1506\n");
  const std::string prime = scratch.Write("prime.txt", "1 2 3 4 5 6 7\n");
  const std::string bad = scratch.Write("bad.txt", "1 2\n3 4\n5 12a 6\n");
  const std::string missing = scratch.Path("missing.txt");
  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
      {{"--vp", twelve, "--nx", "5"}, {"--nx 5 is not an X size of 12 values", "2, 3, 4, 6"}},
      {{"--vp", twelve, "--nx", "12"}, {"--nx 12"}},
      {{"--vp", prime}, {"--vp " + prime + " holds 7 values", "no grid"}},
      {{"--vp", twelve, "--nx", "4", "--nx-write", "5"},
       {"--nx-write: Size nx=5 to Write could not be greater then nx=4 in input file"}},
      {{"--vp", twelve, "--nx-write", "0"}, {"nx=0"}},
      {{"--vp", twelve, "--nx", "4", "--nz-write", "4"},
       {"--nz-write: Size nz=4 to Write could not be greater then nz=3 in input file"}},
      {{"--vp", twelve, "--nz-write", "-1"}, {"nz=-1"}},
      {{"--vp", twelve, "--vs", six},
       {"--vs " + six + " holds 6 values but --vp " + twelve + " holds 12"}},
      {{"--vp", six, "--density", bad},
       {"--density " + bad + ", line 3, value 2: \"12a\" is not a number"}},
      {{"--vp", missing}, {"--vp " + missing + ": cannot open: "}},
      {{"--vp", six, "--nx", "3", "--dx", "-0"}, {"--dx: The X step must be greater than 0."}},
      {{"--vp", six, "--nx", "2", "--dz", "3e38"},
       {"--dz: The Z extent (Z size to write - 1) x Z step is too large for a grid file."}},
      {{"--vp", six, "--vs", out}, {out}},  // not a text grid
  };
  for (const auto& [options, pieces] : cases) {
    std::vector<std::string> args = {"convert", "-o", out};
    args.insert(args.end(), options.begin(), options.end());
    ExpectFailure(RunTool(args), 1, pieces);
  }
  EXPECT_EQ(scratch.Read("out.mvg"), "the previous model");

  // Outputs that cannot be written: refused naming the file, nothing made.
  ExpectFailure(RunTool({"convert", "--vp", six, "-o", scratch.Path("nowhere") + "/out.mvg"}), 1,
                {"out.mvg"});
  EXPECT_FALSE(scratch.Exists("nowhere"));
  ExpectFailure(RunTool({"convert", "--vp", six, "-o", scratch.Path("*.mvg")}), 1, {"\"*\""});
  // An output that would replace an input, however it is spelled: the input stays.
  ExpectFailure(
      RunTool({"convert", "--vp", six, "-o", scratch.Path("./six.txt")}), 1,
      {"The grid file would replace the input file --vp " + six + ". Choose another name."});
  EXPECT_EQ(scratch.Read("six.txt"), "1501 1502 1503\n1504 1505 1506\n");
}

TEST(ConvertCommandTest, MistakesInTheOptionsAreUsageErrors) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "1 2 3 4\n");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "no input: give at least one of --vp, --density, --vs"},
      {{"--vp", vp}, "no output: give -o OUTPUT"},
      {{"--vp", vp, "--vz", "x"}, "unknown option \"--vz\""},
      {{"--vp", "-o", "x"}, "option --vp needs a value"},  // the parser's problems, as usage errors
      {{"--vp", vp, "--nx", "2x"}, "--nx needs a whole number, not \"2x\""},
      {{"--vp", vp, "--dx", "abc"}, "--dx needs a number, not \"abc\""},
      {{"--vp", vp, "--dz=nan"}, "--dz needs a number, not \"nan\""},
      {{"--vp", vp, "--vp-units", "mph"}, "--vp-units must be m/s, ft/s or km/s, not \"mph\""},
      {{"--vp", vp, "--density-units", "kg/m3"}, "--density-units is given without --density"},
      {{"--vp", vp, "extra"}, "unexpected argument \"extra\""},
  };
  for (const auto& [options, problem] : cases) {
    std::vector<std::string> args = {"convert"};
    args.insert(args.end(), options.begin(), options.end());
    if (problem.rfind("no output", 0) != 0)
      args.insert(args.end(), {"--output", scratch.Path("out.mvg")});
    ExpectFailure(RunTool(args), 2, {"mvgtool convert: " + problem + "\n"});
  }
  EXPECT_FALSE(scratch.Exists("out.mvg"));

  const RunResult help = RunTool({"convert", "--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--vs-units", "--nz-write", "-o, --output", "lb/ft3"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
