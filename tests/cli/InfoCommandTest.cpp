#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace {

TEST(InfoCommandTest, ShowsTheHeaderAndEachPropertysRange) {
  ScratchFolder scratch;
  const std::string all = scratch.Path("all.mvg"), window = scratch.Path("window.mvg");
  ASSERT_EQ(RunTool({"convert", "--vp", SamplePath("vp.txt"), "--density",
                     SamplePath("density.txt"), "--vs", SamplePath("vs.txt"), "--nx", "120", "--dx",
                     "25", "--dz", "0.3048", "-o", all})
                .status,
            0);
  // Vs alone in ft/s, the first of four columns of three rows.
  ASSERT_EQ(RunTool({"convert", "--vs", scratch.Write("vs.txt", "1 2 3 4 5 6 7 8 9 10 11 12"),
                     "--vs-units", "ft/s", "--nx", "4", "--nx-write", "1", "-o", window})
                .status,
            0);
  const RunResult result = RunTool({"info", all, window});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, all + ": grid file, 57896 bytes\n" +
                            "  nx 120, nz 40\n"
                            "  dx 25, dz 0.3048\n"
                            "  x extent 2975, z extent 11.8872\n"
                            "  properties PQR\n"
                            "  P (Vp, m/s): minimum 1500, maximum 4500\n"
                            "  Q (density, kg/m3): minimum 1030, maximum 2539\n"
                            "  R (Vs, m/s): minimum 0, maximum 2601.2\n" +
                            window + ": grid file, 308 bytes\n" +
                            "  nx 1, nz 3\n"
                            "  dx 1, dz 1\n"
                            "  x extent 0, z extent 2\n"
                            "  properties R\n"
                            "  R (Vs, m/s): minimum 0.3048, maximum 2.7432\n");
}

TEST(InfoCommandTest, RefusesFilesThatAreNotCompleteGridFiles) {
  ScratchFolder scratch;
  const std::string text = scratch.Write("vp.txt", "1 2 3 4\n");
  ASSERT_EQ(RunTool({"convert", "--vp", text, "-o", scratch.Path("grid.mvg")}).status, 0);
  const std::string bytes = scratch.Read("grid.mvg");
  for (const std::string& path :
       {text, scratch.Write("truncated.mvg", bytes.substr(0, bytes.size() - 1)),
        scratch.Write("longer.mvg", bytes + "x"), scratch.Write("short.mvg", bytes.substr(0, 100)),
        scratch.Path("missing.mvg")}) {
    ExpectFailure(RunTool({"info", path}), 1, {path.substr(path.find_last_of("/\\") + 1)});
  }
}

TEST(InfoCommandTest, UsageErrorsAndHelp) {
  ExpectFailure(RunTool({"info"}), 2, {"mvgtool info: no file given\nusage: mvgtool info"});
  ExpectFailure(RunTool({"info", "--all", "x.mvg"}), 2, {"unknown option \"--all\""});
  EXPECT_NE(RunTool({"info", "--help"}).out.find("property codes"), std::string::npos);
}

}  // namespace
