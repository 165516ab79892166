// The real program: exit statuses and what reaches stdout and stderr.

#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace {

TEST(MvgtoolProgramTest, ExitStatusesAndStreams) {
  ScratchFolder scratch;
  const std::string out = scratch.Path("sample.mvg");
  RunResult result =
      RunProgram({"convert", "--vp", SamplePath("vp.txt"), "--nx=120", "-o", out}, scratch);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");  // stderr is a file here: no progress line
  EXPECT_NE(result.out.find("Wrote "), std::string::npos);
  EXPECT_EQ(ReadFileBytes(out).size(), 296u + 4 * 4800);

  result = RunProgram({"info", out}, scratch);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("nx 120, nz 40"), std::string::npos) << result.out;

  const std::string bad = scratch.Write("bad.txt", "1 2\n3 4\n12a\n");
  result = RunProgram({"convert", "--vp", bad, "-o", out}, scratch);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.ErrLines(), 1) << result.err;
  EXPECT_NE(result.err.find("bad.txt, line 3: \"12a\""), std::string::npos) << result.err;

  result = RunProgram({"convert", "--bogus"}, scratch);
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("usage: mvgtool convert"), std::string::npos) << result.err;

  result = RunProgram({}, scratch);
  EXPECT_EQ(result.status, 2);
  result = RunProgram({"--help"}, scratch);
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("usage: mvgtool"), std::string::npos);
}

}  // namespace
