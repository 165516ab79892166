#include "cli/Mvgtool.h"

#include <gtest/gtest.h>

#include <regex>

#include "CliTestSupport.h"

namespace {

TEST(MvgtoolTest, HelpOrAUsageErrorWithoutAKnownCommand) {
  for (const char* help : {"--help", "-h", "help"}) {
    const RunResult result = RunTool({help});
    EXPECT_EQ(result.status, kExitSuccess);
    EXPECT_EQ(result.err, "");
    for (const char* usage :
         {"usage: mvgtool convert ", "mvgtool sizes FILE...", "mvgtool info FILE.mvg",
          "mvgtool picture INPUT", "mvgtool totext INPUT.mvg", "Exit status"}) {
      EXPECT_NE(result.out.find(usage), std::string::npos) << usage;
    }
  }
  for (const char* version : {"--version", "-V"}) {
    EXPECT_TRUE(
        std::regex_match(RunTool({version}).out, std::regex("mvgtool \\d+\\.\\d+\\.\\d+\n")));
  }
  ExpectFailure(RunTool({}), kExitUsage, {"mvgtool: no command given\n"});
  ExpectFailure(RunTool({"convrt", "--vp", "x"}), kExitUsage, {"unknown command \"convrt\""});
  ExpectFailure(RunTool({"--vp", "x"}), kExitUsage, {"unknown option \"--vp\""});
}

TEST(MvgtoolTest, ProgressLineOnlyWhenAskedAndOnlyForLargeFiles) {
  ScratchFolder scratch;
  std::string line;
  for (int i = 0; i < 1000; ++i) line += "1523.25 ";
  std::string text;
  while (text.size() < (9u << 20)) text += line + '\n';  // above the 8 MiB threshold
  const std::string large = scratch.Write("large.txt", text);

  RunResult result = RunTool({"sizes", large}, true);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err.find("\rScanning " + large + ": "), 0u) << result.err;
  EXPECT_EQ(result.err.find('\n'), std::string::npos);  // rewritten in place
  EXPECT_EQ(result.err.back(), '\r');                   // and wiped at the end

  result = RunTool({"convert", "--vp", large, "-o", scratch.Path("large.mvg")}, true);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("\rLoading " + large + ": 100%"), std::string::npos);

  EXPECT_EQ(RunTool({"sizes", large}, false).err, "");
  EXPECT_EQ(RunTool({"sizes", scratch.Write("small.txt", "1 2 3 4")}, true).err, "");
}

}  // namespace
