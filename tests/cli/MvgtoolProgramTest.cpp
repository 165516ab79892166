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
  EXPECT_EQ(ReadFileBytes(out).size(), 296u + 4 * 4800);

  result = RunProgram({"info", out}, scratch);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("nx 120, nz 40"), std::string::npos) << result.out;

  const std::string bad = scratch.Write("bad.txt", "1 2\n3 4\n12a\n");
  ExpectFailure(RunProgram({"convert", "--vp", bad, "-o", out}, scratch), 1,
                {"bad.txt, line 3, value 1: \"12a\""});
  ExpectFailure(RunProgram({"convert", "--bogus"}, scratch), 2, {"usage: mvgtool convert"});
  EXPECT_EQ(RunProgram({"--help"}, scratch).status, 0);
}

}  // namespace
