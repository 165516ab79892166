#include "cli/Mvgtool.h"

#include <gtest/gtest.h>

#include <regex>

#include "CliTestSupport.h"

namespace {

TEST(MvgtoolTest, HelpVersionOrAUsageErrorWithoutAKnownCommand) {
  for (const char* help : {"--help", "-h", "help"}) {
    EXPECT_EQ(RunTool({help}).out.rfind("usage: mvgtool convert ", 0), 0u) << help;
  }
  EXPECT_TRUE(std::regex_match(RunTool({"-V"}).out, std::regex("mvgtool \\d+\\.\\d+\\.\\d+\n")));
  EXPECT_EQ(RunTool({"--version"}).out, RunTool({"-V"}).out);
  ExpectFailure(RunTool({}), kExitUsage, {"mvgtool: no command given\n"});
  ExpectFailure(RunTool({"convrt", "--vp", "x"}), kExitUsage, {"unknown command \"convrt\""});
  ExpectFailure(RunTool({"--vp", "x"}), kExitUsage, {"unknown option \"--vp\""});
}

TEST(MvgtoolTest, ProgressLineOnlyWhenAskedAndOnlyForLargeFiles) {
  ScratchFolder scratch;
  // Over the 8 MiB of a large file.
  const std::string large =
      scratch.Write("large.txt", std::string(9 << 20, ' ') + "1500 1600 1700 1800");

  RunResult result = RunTool({"sizes", large}, true);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err.find("\rScanning " + large + ": "), 0u) << result.err;
  EXPECT_EQ(result.err.find('\n'), std::string::npos);  // rewritten in place
  EXPECT_EQ(result.err.back(), '\r');                   // and wiped at the end

  result = RunTool(
      {"convert", "--vp", large, "--dx", "5", "--dz", "5", "-o", scratch.Path("large.mvg")}, true);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("\rLoading " + large + ": 100%"), std::string::npos);

  EXPECT_EQ(RunTool({"sizes", large}, false).err, "");
  EXPECT_EQ(RunTool({"sizes", scratch.Write("small.txt", "1 2 3 4")}, true).err, "");
}

// The real program: exit statuses and what reaches stdout and stderr.
TEST(MvgtoolTest, TheProgramsExitStatusesAndStreams) {
  ScratchFolder scratch;
  // By default: the X size its 40 lines of 120 values say, the whole grid and the output named
  // exactly as given.
  const std::string out = scratch.Path("model");
  RunResult result = RunProgram(
      {"convert", "--density", SamplePath("density.txt"), "--dx", "1", "--dz", "1", "-o", out},
      scratch);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("Wrote " + out +
                                 ": nx 120 from the lines (40 lines of 120 values), nz 40, "
                                 "properties Q, 19496 bytes",
                             0),
            0u);
  EXPECT_EQ(result.err, "");  // stderr is a file here: no progress line
  const std::string file = ReadFileBytes(out);
  EXPECT_EQ(file.substr(0, 296), HeaderBytes(120, 40, 1, 1, "Q"));
  EXPECT_EQ(file.size(), 19496u);

  const std::string bad = scratch.Write("bad.txt", "1 2\n3 4\n12a\n");
  ExpectFailure(RunProgram({"convert", "--vp", bad, "--dx", "1", "--dz", "1", "-o", out}, scratch),
                1, {"bad.txt, line 3, value 1: \"12a\""});
  ExpectFailure(RunProgram({"convert", "--bogus"}, scratch), 2, {"usage: mvgtool convert"});
  EXPECT_EQ(RunProgram({"--help"}, scratch).status, 0);
}

}  // namespace
