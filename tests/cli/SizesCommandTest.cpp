#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace {

TEST(SizesCommandTest, ShowsCountRangeAndChoicesWithTheProposalMarked) {
  ScratchFolder scratch;
  const std::string vp = SamplePath("vp.txt");
  const std::string small = scratch.Write("small.txt", "1234567.8 -0.000123456789 5 6\n");
  const std::string prime = scratch.Write("prime.txt", "1 2 3 4 5\n");
  const RunResult result = RunTool({"sizes", vp, small, prime, MarmousiPath("vp.txt")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  // Figures with six significant digits, as the dialog shows them.
  EXPECT_EQ(result.out.substr(0, result.out.find(": 87000 values")),
            vp + ": 4800 values, minimum 1500, maximum 4500\n" +
                "  lines: 40 lines of 120 values\n"
                "  X sizes: 2 3 4 5 6 8 10 12 15 16 20 24 25 30 32 40 48 50 60 64 75 80 96 100 "
                "[120] 150 160 192 200 240 300 320 400 480 600 800 960 1200 1600 2400\n"
                "  proposed grid: nx 120 from the lines (40 lines of 120 values), nz 40\n" +
                small + ": 4 values, minimum -0.000123457, maximum 1.23457e+06\n" +
                "  lines: 1 line of 4 values\n  X sizes: [2]\n"
                "  proposed grid: nx 2, the largest divisor up to the square root (one line), "
                "nz 2\n" +
                prime + ": 5 values, minimum 1, maximum 5\n  lines: 1 line of 5 values\n" +
                "  X sizes: none, no grid can be formed of 5 values\n" + MarmousiPath("vp.txt"));
  EXPECT_NE(result.out.find(" 435 [500] 580 "), std::string::npos) << result.out;
}

TEST(SizesCommandTest, RefusedFilesGetOneLineEachAndTheOthersAreStillShown) {
  ScratchFolder scratch;
  const std::string good = scratch.Write("good.txt", "1 2 3 4\n");
  const RunResult result = RunTool({"sizes", scratch.Write("bad.txt", "1\n2\n3 12a\n"), good,
                                    scratch.Write("empty.txt", " \n"), scratch.Path("gone.txt")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out.rfind(good + ": 4 values", 0), 0u) << result.out;
  ExpectFailure({1, "", result.err.substr(0, result.err.find('\n') + 1)}, 1,
                {"bad.txt, line 3, value 2: \"12a\""});
  EXPECT_NE(result.err.find("empty.txt: holds no values\n"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("gone.txt: cannot open: "), std::string::npos) << result.err;
}

TEST(SizesCommandTest, UsageErrorsAndHelp) {
  ExpectFailure(RunTool({"sizes"}), 2, {"mvgtool sizes: no file given\nusage: mvgtool sizes"});
  ExpectFailure(RunTool({"sizes", "--nx", "4", "vp.txt"}), 2, {"unknown option \"--nx\""});
  EXPECT_EQ(RunTool({"sizes", "-h"}).out.rfind("usage: mvgtool sizes FILE...\n", 0), 0u);
}

}  // namespace
