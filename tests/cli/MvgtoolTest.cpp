#include "cli/Mvgtool.h"

#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace {

TEST(MvgtoolTest, HelpGoesToStdoutAndSucceeds) {
  for (const char* help : {"--help", "-h", "help"}) {
    const RunResult result = RunTool({help});
    EXPECT_EQ(result.status, kExitSuccess);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out.rfind("usage: mvgtool convert ", 0), 0u) << result.out;
    for (const char* word : {"mvgtool sizes FILE...", "mvgtool info FILE.mvg", "Exit status"}) {
      EXPECT_NE(result.out.find(word), std::string::npos) << word;
    }
  }
}

TEST(MvgtoolTest, NoOrUnknownCommandIsAUsageError) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"convrt", "--vp", "x"}, {"--vp", "x"}, {""}}) {
    const RunResult result = RunTool(args);
    EXPECT_EQ(result.status, kExitUsage);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("mvgtool: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find("usage: mvgtool convert"), std::string::npos);
  }
  EXPECT_NE(RunTool({"convrt"}).err.find("unknown command \"convrt\""), std::string::npos);
  EXPECT_NE(RunTool({"--vp"}).err.find("unknown option \"--vp\""), std::string::npos);
}

// Writes a text grid of at least 8 MiB, the size from which the progress line is drawn.
std::string WriteLargeGrid(const ScratchFolder& scratch) {
  std::string line;
  for (int i = 0; i < 1000; ++i) line += "1523.25 ";
  line += '\n';
  std::string text;
  while (text.size() < (9u << 20)) text += line;
  return scratch.Write("large.txt", text);
}

TEST(MvgtoolTest, ProgressLineOnlyWhenAskedAndOnlyForLargeFiles) {
  ScratchFolder scratch;
  const std::string large = WriteLargeGrid(scratch);
  const std::string small = scratch.Write("small.txt", "1 2 3 4\n");

  RunResult result = RunTool({"sizes", large}, true);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("\rScanning " + large + ": "), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find('\n'), std::string::npos);  // rewritten in place, never scrolled
  EXPECT_EQ(result.err.back(), '\r');                   // and wiped at the end

  result = RunTool({"convert", "--vp", large, "-o", scratch.Path("large.mvg")}, true);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("\rLoading " + large + ": "), std::string::npos);
  EXPECT_NE(result.err.find("100%"), std::string::npos);

  EXPECT_EQ(RunTool({"sizes", large}, false).err, "");
  EXPECT_EQ(RunTool({"sizes", small}, true).err, "");
}

}  // namespace
