#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace {

TEST(InfoCommandTest, ShowsTheHeaderAndEachPropertysRange) {
  ScratchFolder scratch;
  const std::string out = scratch.Path("sample.mvg");
  ASSERT_EQ(RunTool({"convert", "--vp", SamplePath("vp.txt"), "--density",
                     SamplePath("density.txt"), "--vs", SamplePath("vs.txt"), "--nx", "120", "--dx",
                     "25", "--dz", "0.3048", "-o", out})
                .status,
            0);
  const RunResult result = RunTool({"info", out});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, out + ": grid file, 57896 bytes\n" +
                            "  nx 120, nz 40\n"
                            "  dx 25, dz 0.3048\n"
                            "  x extent 2975, z extent 11.8872\n"
                            "  properties PQR\n"
                            "  P (Vp, m/s): minimum 1500, maximum 4500\n"
                            "  Q (density, kg/m3): minimum 1030, maximum 2539\n"
                            "  R (Vs, m/s): minimum 0, maximum 2601.2\n");
}

TEST(InfoCommandTest, ShowsAWindowAndOneProperty) {
  ScratchFolder scratch;
  const std::string vs = scratch.Write("vs.txt", "1 2 3 4 5 6 7 8 9 10 11 12\n");
  const std::string out = scratch.Path("vs.mvg");
  ASSERT_EQ(RunTool({"convert", "--vs", vs, "--vs-units", "ft/s", "--nx", "4", "--nx-write", "1",
                     "--nz-write", "3", "-o", out})
                .status,
            0);
  const RunResult result = RunTool({"info", out});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("  nx 1, nz 3\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("  x extent 0, z extent 2\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("  properties R\n  R (Vs, m/s): minimum 0.3048, maximum 2.7432\n"),
            std::string::npos)
      << result.out;
}

TEST(InfoCommandTest, RefusesFilesThatAreNotCompleteGridFiles) {
  ScratchFolder scratch;
  const std::string text = scratch.Write("vp.txt", "1 2 3 4\n");
  const std::string grid = scratch.Path("grid.mvg");
  ASSERT_EQ(RunTool({"convert", "--vp", text, "-o", grid}).status, 0);
  const std::string bytes = scratch.Read("grid.mvg");
  const std::string truncated = scratch.Write("truncated.mvg", bytes.substr(0, bytes.size() - 1));
  const std::string longer = scratch.Write("longer.mvg", bytes + "x");
  const std::string headerOnly = scratch.Write("short.mvg", bytes.substr(0, 100));

  for (const std::string& path :
       {text, truncated, longer, headerOnly, scratch.Path("missing.mvg")}) {
    const RunResult result = RunTool({"info", path});
    EXPECT_EQ(result.status, 1) << path;
    EXPECT_EQ(result.ErrLines(), 1) << result.err;
    EXPECT_EQ(result.err.rfind("mvgtool: ", 0), 0u) << result.err;
    const std::string name = path.substr(path.find_last_of("/\\") + 1);
    EXPECT_NE(result.err.find(name), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST(InfoCommandTest, UsageErrorsAndHelp) {
  RunResult result = RunTool({"info"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err.rfind("mvgtool info: no file given\nusage: mvgtool info FILE.mvg", 0), 0u)
      << result.err;
  result = RunTool({"info", "--all", "x.mvg"});
  EXPECT_EQ(result.status, 2);
  result = RunTool({"info", "--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("property codes"), std::string::npos);
}

}  // namespace
