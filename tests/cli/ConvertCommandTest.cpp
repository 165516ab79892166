#include <gtest/gtest.h>

#include <cstring>

#include "CliTestSupport.h"

namespace {

constexpr std::size_t kHeader = 296;

std::uint32_t Bits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Expects a refusal: status 1, one line on stderr holding every piece, nothing on stdout.
void ExpectRefused(const RunResult& result, const std::vector<std::string>& pieces) {
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(result.ErrLines(), 1) << result.err;
  EXPECT_EQ(result.err.rfind("mvgtool: ", 0), 0u) << result.err;
  EXPECT_EQ(result.out, "");
  for (const std::string& piece : pieces) {
    EXPECT_NE(result.err.find(piece), std::string::npos) << "no " << piece << " in " << result.err;
  }
}

// Expects a usage error: status 2, the problem, then the usage line.
void ExpectUsageError(const RunResult& result, const std::string& problem) {
  EXPECT_EQ(result.status, 2) << result.err;
  EXPECT_EQ(result.err.rfind("mvgtool convert: " + problem + "\nusage: mvgtool convert ", 0), 0u)
      << result.err;
  EXPECT_EQ(result.out, "");
}

TEST(ConvertCommandTest, SamplesBecomeOneGridFileNodeByNode) {
  ScratchFolder scratch;
  const RunResult result =
      RunTool({"convert", "--vp", SamplePath("vp.txt"), "--density", SamplePath("density.txt"),
               "--vs", SamplePath("vs.txt"), "--nx", "120", "--dx", "25", "--dz=12.5", "-o",
               scratch.Path("sample.mvg")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, "Wrote " + scratch.Path("sample.mvg") +
                            ": nx 120, nz 40, properties PQR, 57896 bytes\n");

  const std::string file = scratch.Read("sample.mvg");
  ASSERT_EQ(file.size(), kHeader + 12 * 4800);
  EXPECT_EQ(file.substr(0, 20), "Binary. FD-Grid_____");
  EXPECT_EQ(Int32At(file, 196), 120);
  EXPECT_EQ(Int32At(file, 200), 40);
  EXPECT_EQ(FloatAt(file, 140), 25.0f);
  EXPECT_EQ(FloatAt(file, 156), 12.5f);
  EXPECT_EQ(FloatAt(file, 136), 119 * 25.0f);
  EXPECT_EQ(FloatAt(file, 152), 39 * 12.5f);
  EXPECT_EQ(Int32At(file, 244), 3);
  EXPECT_EQ(std::string(file.data() + 252, 4), std::string("PQR\0", 4));

  const std::vector<float> vp = ParseTextGrid(ReadFileBytes(SamplePath("vp.txt")));
  const std::vector<float> density = ParseTextGrid(ReadFileBytes(SamplePath("density.txt")));
  const std::vector<float> vs = ParseTextGrid(ReadFileBytes(SamplePath("vs.txt")));
  ASSERT_EQ(vp.size(), 4800u);
  int mismatches = 0;
  for (std::size_t i = 0; i < 4800; ++i) {
    mismatches += Bits(DataValue(file, 3 * i)) != Bits(vp[i]);
    mismatches += Bits(DataValue(file, 3 * i + 1)) != Bits(density[i]);
    mismatches += Bits(DataValue(file, 3 * i + 2)) != Bits(vs[i]);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(ConvertCommandTest, DefaultsAreTheProposalTheWholeGridUnitStepsAndMetricUnits) {
  ScratchFolder scratch;
  const RunResult result =
      RunTool({"convert", "--vp", SamplePath("vp.txt"), "--output", scratch.Path("proposal.mvg")});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string file = scratch.Read("proposal.mvg");
  ASSERT_EQ(file.size(), kHeader + 4 * 4800);
  EXPECT_EQ(Int32At(file, 196), 64);  // the largest divisor of 4800 not above its square root
  EXPECT_EQ(Int32At(file, 200), 75);
  EXPECT_EQ(FloatAt(file, 140), 1.0f);
  EXPECT_EQ(FloatAt(file, 156), 1.0f);
  EXPECT_EQ(std::string(file.data() + 252, 2), std::string("P\0", 2));
  EXPECT_EQ(DataValue(file, 0), 1500.0f);  // m/s: copied as read
}

TEST(ConvertCommandTest, Marmousi2ConvertsAt500Across) {
  ScratchFolder scratch;
  const RunResult result =
      RunTool({"convert", "--vp", MarmousiPath("vp.txt"), "--density", MarmousiPath("density.txt"),
               "--vs", MarmousiPath("vs.txt"), "--nx", "500", "--dx=1.25", "--dz=1.25", "-o",
               scratch.Path("marmousi2.mvg")});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string file = scratch.Read("marmousi2.mvg");
  ASSERT_EQ(file.size(), kHeader + 12 * 87000);
  EXPECT_EQ(Int32At(file, 196), 500);
  EXPECT_EQ(Int32At(file, 200), 174);
  EXPECT_EQ(FloatAt(file, 136), 499 * 1.25f);

  const std::vector<float> vp = ParseTextGrid(ReadFileBytes(MarmousiPath("vp.txt")));
  const std::vector<float> vs = ParseTextGrid(ReadFileBytes(MarmousiPath("vs.txt")));
  ASSERT_EQ(vp.size(), 87000u);
  for (std::size_t i : {std::size_t{0}, std::size_t{499}, std::size_t{500}, std::size_t{86999}}) {
    EXPECT_EQ(Bits(DataValue(file, 3 * i)), Bits(vp[i])) << i;
    EXPECT_EQ(Bits(DataValue(file, 3 * i + 2)), Bits(vs[i])) << i;
  }
}

TEST(ConvertCommandTest, UnitsConvertToMetresAndKilograms) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "1000 3000\n1500 2000\n");
  const std::string vs = scratch.Write("vs.txt", "500 1000 1500 2000\n");
  const std::string grams = scratch.Write("grams.txt", "2.5 2.0 1.0 2.7\n");
  const std::string pounds = scratch.Write("pounds.txt", "62.4 62.4 62.4 62.4\n");

  RunResult result = RunTool({"convert", "--vp", vp, "--vp-units", "ft/s", "--density", grams,
                              "--density-units=g/cm3", "--vs", vs, "--vs-units", "m/s", "-o",
                              scratch.Path("a.mvg")});
  ASSERT_EQ(result.status, 0) << result.err;
  std::string file = scratch.Read("a.mvg");
  ASSERT_EQ(file.size(), kHeader + 12 * 4);
  EXPECT_EQ(Bits(DataValue(file, 0)), Bits(304.80002f));  // 0.3048f x 1000 as a float product
  EXPECT_EQ(Bits(DataValue(file, 1)), Bits(2500.0f));
  EXPECT_EQ(Bits(DataValue(file, 2)), Bits(500.0f));
  EXPECT_EQ(Bits(DataValue(file, 3)), Bits(914.40002f));

  result = RunTool({"convert", "--density", pounds, "--density-units", "lb/ft3", "--vs", vs,
                    "--vs-units", "ft/s", "-o", scratch.Path("b.mvg")});
  ASSERT_EQ(result.status, 0) << result.err;
  file = scratch.Read("b.mvg");
  ASSERT_EQ(file.size(), kHeader + 8 * 4);
  EXPECT_EQ(std::string(file.data() + 252, 3), std::string("QR\0", 3));
  EXPECT_EQ(Bits(DataValue(file, 0)), Bits(999.5521f));
  EXPECT_EQ(Bits(DataValue(file, 1)), Bits(0.3048f * 500.0f));
}

TEST(ConvertCommandTest, WindowWritesTheFirstValuesOfTheFirstRows) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "0 1 2 3\n4 5 6 7\n8 9 10 11\n");
  const RunResult result =
      RunTool({"convert", "--vp", vp, "--nx", "4", "--nx-write", "2", "--nz-write=2", "--dx", "10",
               "--dz", "5", "-o", scratch.Path("window.mvg")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("nx 2, nz 2, properties P, 312 bytes (the first rows and columns of "
                            "the 4 x 3 input grid)"),
            std::string::npos)
      << result.out;
  const std::string file = scratch.Read("window.mvg");
  ASSERT_EQ(file.size(), kHeader + 4 * 4);
  EXPECT_EQ(Int32At(file, 196), 2);
  EXPECT_EQ(Int32At(file, 200), 2);
  EXPECT_EQ(FloatAt(file, 136), 10.0f);
  EXPECT_EQ(FloatAt(file, 152), 5.0f);
  EXPECT_EQ(DataValue(file, 0), 0.0f);
  EXPECT_EQ(DataValue(file, 1), 1.0f);
  EXPECT_EQ(DataValue(file, 2), 4.0f);
  EXPECT_EQ(DataValue(file, 3), 5.0f);
}

TEST(ConvertCommandTest, OutputNameIsUsedAsGiven) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "1 2 3 4\n");
  ASSERT_EQ(RunTool({"convert", "--vp", vp, "-o", scratch.Path("model")}).status, 0);
  EXPECT_TRUE(scratch.Exists("model"));
  EXPECT_FALSE(scratch.Exists("model.mvg"));
}

TEST(ConvertCommandTest, XSizeMustBeOneOfTheChoices) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "1 2 3 4 5 6 7 8 9 10 11 12\n");
  ExpectRefused(RunTool({"convert", "--vp", vp, "--nx", "5", "-o", scratch.Path("out.mvg")}),
                {"--nx 5", "12 values", "2, 3, 4, 6"});
  ExpectRefused(RunTool({"convert", "--vp", vp, "--nx", "12", "-o", scratch.Path("out.mvg")}),
                {"--nx 12"});
  // A prime count has no choices at all.
  const std::string prime = scratch.Write("prime.txt", "1 2 3 4 5 6 7\n");
  ExpectRefused(RunTool({"convert", "--vp", prime, "-o", scratch.Path("out.mvg")}),
                {"prime.txt", "7 values", "no grid"});
  EXPECT_FALSE(scratch.Exists("out.mvg"));
}

TEST(ConvertCommandTest, SizesToWriteAreChecked) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "1 2 3 4 5 6 7 8 9 10 11 12\n");
  const std::string out = scratch.Path("out.mvg");
  ExpectRefused(RunTool({"convert", "--vp", vp, "--nx", "4", "--nx-write", "5", "-o", out}),
                {"--nx-write", "Size nx=5 to Write could not be greater then nx=4 in input file"});
  ExpectRefused(RunTool({"convert", "--vp", vp, "--nx", "4", "--nx-write", "0", "-o", out}),
                {"--nx-write", "nx=0"});
  ExpectRefused(RunTool({"convert", "--vp", vp, "--nx", "4", "--nz-write", "4", "-o", out}),
                {"--nz-write", "Size nz=4 to Write could not be greater then nz=3 in input file"});
  ExpectRefused(RunTool({"convert", "--vp", vp, "--nz-write", "-1", "-o", out}), {"nz=-1"});
  EXPECT_FALSE(scratch.Exists("out.mvg"));
}

TEST(ConvertCommandTest, FilesMustHoldTheSameNumberOfValues) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "1 2 3 4 5 6\n");
  const std::string vs = scratch.Write("vs.txt", "1 2 3 4\n");
  ExpectRefused(RunTool({"convert", "--vp", vp, "--vs", vs, "-o", scratch.Path("out.mvg")}),
                {vs, "4 values", vp, "6"});
  EXPECT_FALSE(scratch.Exists("out.mvg"));
}

TEST(ConvertCommandTest, BadInputIsRefusedAndAnExistingOutputSurvives) {
  ScratchFolder scratch;
  const std::string existing = scratch.Write("out.mvg", "the previous model");
  const std::string good = scratch.Write("good.txt", "1 2 3 4\n");
  const std::string bad = scratch.Write("bad.txt", "1 2\n3 4\n5 12a 6\n");

  ExpectRefused(RunTool({"convert", "--vp", bad, "-o", existing}),
                {"bad.txt", "line 3", "\"12a\""});
  ExpectRefused(RunTool({"convert", "--vp", good, "--density", bad, "-o", existing}), {"12a"});
  ExpectRefused(RunTool({"convert", "--vp", scratch.Path("missing.txt"), "-o", existing}),
                {"missing.txt"});
  ExpectRefused(RunTool({"convert", "--vp", good, "--nx-write", "3", "-o", existing}), {"nx=3"});
  EXPECT_EQ(scratch.Read("out.mvg"), "the previous model");

  // An output folder that does not exist: refused naming the file, nothing made.
  const std::string nowhere = scratch.Path("no such folder") + "/out.mvg";
  const RunResult result = RunTool({"convert", "--vp", good, "-o", nowhere});
  ExpectRefused(result, {"out.mvg"});
  EXPECT_FALSE(scratch.Exists("no such folder"));

  ExpectRefused(RunTool({"convert", "--vp", good, "-o", scratch.Path("*.mvg")}), {"*"});
}

TEST(ConvertCommandTest, MistakesInTheOptionsAreUsageErrors) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "1 2 3 4\n");
  const std::string out = scratch.Path("out.mvg");
  ExpectUsageError(RunTool({"convert"}), "no input: give at least one of --vp, --density, --vs");
  ExpectUsageError(RunTool({"convert", "--vp", vp}), "no output: give -o OUTPUT");
  ExpectUsageError(RunTool({"convert", "--vp", vp, "--vz", "x", "-o", out}),
                   "unknown option \"--vz\"");
  ExpectUsageError(RunTool({"convert", "--vp", vp, "-o"}), "option -o needs a value");
  ExpectUsageError(RunTool({"convert", "--vp", "-o", out}), "option --vp needs a value");
  ExpectUsageError(RunTool({"convert", "--vp", vp, "--nx", "2x", "-o", out}),
                   "--nx needs a whole number, not \"2x\"");
  ExpectUsageError(RunTool({"convert", "--vp", vp, "--nz-write", "", "-o", out}),
                   "option --nz-write needs a value");
  ExpectUsageError(RunTool({"convert", "--vp", vp, "--dx", "abc", "-o", out}),
                   "--dx needs a number, not \"abc\"");
  ExpectUsageError(RunTool({"convert", "--vp", vp, "--dz=nan", "-o", out}),
                   "--dz needs a number, not \"nan\"");
  ExpectUsageError(RunTool({"convert", "--vp", vp, "--vp-units", "km/s", "-o", out}),
                   "--vp-units must be m/s or ft/s, not \"km/s\"");
  ExpectUsageError(RunTool({"convert", "--vp", vp, "--density-units", "kg", "-o", out}),
                   "--density-units is given without --density");
  ExpectUsageError(RunTool({"convert", "--vp", vp, "-o", out, "extra"}),
                   "unexpected argument \"extra\"");
  ExpectUsageError(RunTool({"convert", "--vp", vp, "--vp", vp, "-o", out}),
                   "option --vp is given twice");
  EXPECT_FALSE(scratch.Exists("out.mvg"));
}

TEST(ConvertCommandTest, HelpListsEveryOption) {
  const RunResult result = RunTool({"convert", "--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  for (const char* option : {"--vp ", "--density ", "--vs ", "--vp-units", "--vs-units",
                             "--density-units", "--nx ", "--nx-write", "--nz-write", "--dx", "--dz",
                             "-o, --output", "kg/m3", "g/cm3", "lb/ft3", "ft/s"}) {
    EXPECT_NE(result.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
