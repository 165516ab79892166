#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>

#include "CliTestSupport.h"
#include "gridfile/GridFileHeader.h"

namespace {

// With the X size each time from the lines, which totext writes as rows.
TEST(TotextCommandTest, MarmousiThroughTextComesBackByteIdentical) {
  ScratchFolder scratch;
  const std::string first = scratch.Path("first.mvg"), second = scratch.Path("second.mvg");
  ASSERT_EQ(
      RunTool({"convert", "--vp", MarmousiPath("vp.txt"), "--density", MarmousiPath("density.txt"),
               "--vs", MarmousiPath("vs.txt"), "--dx", "20", "--dz", "20", "-o", first})
          .status,
      0);
  for (const std::string code : {"P", "Q", "R"}) {
    ASSERT_EQ(RunTool({"totext", first, "--property", code}).status, 0);  // first-P.txt, ...
  }
  ASSERT_EQ(RunTool({"convert", "--vp", scratch.Path("first-P.txt"), "--density",
                     scratch.Path("first-Q.txt"), "--vs", scratch.Path("first-R.txt"), "--dx", "20",
                     "--dz", "20", "-o", second})
                .status,
            0);
  EXPECT_TRUE(ReadFileBytes(first) == ReadFileBytes(second));
}

// By hand: Vmin 875 m/s (Vs), Vmax 4500 m/s (Vp); 875 / 125 Hz, 875 / 250 Hz;
// 0.3048 / (4500 x 1.41421) = 0.047894 ms, 0.606 x 0.3048 / 4500 = 0.041046 ms.
const std::string kSampleStability =
    "  Stability for finite-difference modelling (figures rounded down to 4 digits):\n"
    "    slowest velocity 875.0 m/s: the smallest Vs above 0\n"
    "    fastest velocity 4500 m/s: the largest Vp\n"
    "    highest frequency 7.000 Hz at 5 nodes a shortest wavelength: f = Vmin / (5 x 25 m, the "
    "larger step)\n"
    "    highest frequency 3.500 Hz at 10 nodes a shortest wavelength: f = Vmin / (10 x 25 m)\n"
    "    largest time step 0.04789 ms for a second-order 2-D scheme: dt <= h / (Vmax x sqrt 2), "
    "h = 0.3048 m, the smaller step\n"
    "    largest time step 0.04104 ms for a fourth-order staggered scheme: dt <= 0.606 x h / "
    "Vmax\n";

// Info shows the header, each property's range and the stability report; totext gives each property
// back as the sample's own text, each value the shortest decimal of its float ("1030.0" as "1030").
TEST(TotextCommandTest, TheSamplesGoToAGridFileShownByInfoAndBackAsTheirOwnText) {
  ScratchFolder scratch;
  const std::string model = scratch.Path("model.mvg");
  const RunResult result = RunTool({"convert", "--vp", SamplePath("vp.txt"), "--density",
                                    SamplePath("density.txt"), "--vs", SamplePath("vs.txt"), "--nx",
                                    "120", "--dx", "25", "--dz=0.3048", "-o", model});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");  // right files: no finding
  EXPECT_EQ(result.out.substr(0, result.out.find('\n')),
            "Wrote " + model + ": nx 120, nz 40, properties PQR, 57896 bytes");
  EXPECT_EQ(ReadFileBytes(model).substr(0, 296), HeaderBytes(120, 40, 25.0f, 0.3048f, "PQR"));
  EXPECT_EQ(RunTool({"info", model}).out, model + ": grid file, 57896 bytes\n" +
                                              "  nx 120, nz 40\n"
                                              "  dx 25, dz 0.3048\n"
                                              "  x extent 2975, z extent 11.8872\n"
                                              "  properties PQR\n"
                                              "  P (Vp, m/s): minimum 1500, maximum 4500\n"
                                              "  Q (density, kg/m3): minimum 1030, maximum 2539\n"
                                              "  R (Vs, m/s): minimum 0, maximum 2601.2\n" +
                                              kSampleStability);
  for (const auto& [sample, code] :
       {std::pair{"vp.txt", "P"}, std::pair{"density.txt", "Q"}, std::pair{"vs.txt", "R"}}) {
    const std::string output = scratch.Path(std::string(code) + ".txt");
    ASSERT_EQ(RunTool({"totext", model, "--property", code, "-o", output}).status, 0);
    const std::string text = ReadFileBytes(SamplePath(sample));
    EXPECT_EQ(ReadFileBytes(output), std::regex_replace(text, std::regex("\\.0\\b"), "")) << sample;
  }
}

// Values no velocity is, which a modelling would take as rock, are named with where they are, and
// the report gives no figure they leave unknown.
TEST(TotextCommandTest, InfoNamesValuesThatAreNoVelocityAndGivesNoTimeStepForThem) {
  ScratchFolder scratch;
  std::string nodes;
  for (const float value :
       {1500.0f, std::numeric_limits<float>::quiet_NaN(), 1600.0f, 1700.0f, 2000.0f, 1.8e38f}) {
    std::uint8_t word[4];
    StoreLittleEndian32(FloatBits(value), word);
    nodes.append(reinterpret_cast<const char*>(word), 4);
  }
  const std::string model = scratch.Write("m.mvg", HeaderBytes(3, 2, 10, 10, "P") + nodes);
  const RunResult info = RunTool({"info", model});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find(
                "  P (Vp, m/s): minimum 1500, maximum 1.8e+38\n"
                "  P holds 1 value at or above 1.70141e38 (a no-data marker?) at row 2, column 3, "
                "and 1 NaN at row 1, column 2\n"
                "  Stability for finite-difference modelling (figures rounded down to 4 digits):\n"
                "    slowest velocity unknown: Vp holds 1 NaN, so no highest frequency\n"
                "    fastest velocity unknown: Vp holds 2 values that are no velocity (NaN, "
                "infinite, or 1.70141e38 and more), so no time step\n"),
            std::string::npos)
      << info.out;
  EXPECT_EQ(info.out.find("time step "), std::string::npos) << info.out;
}

TEST(TotextCommandTest, InfoPictureAndTotextRefuseBadInputsWithNothingWritten) {
  ScratchFolder scratch;
  const std::string vpOnly = scratch.Path("vp.mvg");
  ASSERT_EQ(
      RunTool({"convert", "--vp", SamplePath("vp.txt"), "--dx", "1", "--dz", "1", "-o", vpOnly})
          .status,
      0);
  const std::string bytes = ReadFileBytes(vpOnly), out = scratch.Path("out");
  const std::string text = scratch.Write("text.mvg", "1 2 3 4\n"),
                    kept = scratch.Write("kept", "k");
  const std::string cut = scratch.Write("cut.mvg", bytes.substr(0, bytes.size() - 4));
  // 2 x 2 nodes of Vp, all NaN, and density, one of them -inf.
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = HUGE_VALF;
  std::string nodes;
  for (const float value : {nan, 1.0f, nan, 2.0f, nan, -inf, nan, 3.0f}) {
    std::uint8_t word[4];
    StoreLittleEndian32(FloatBits(value), word);
    nodes.append(reinterpret_cast<const char*>(word), 4);
  }
  const std::string odd = scratch.Write("odd.mvg", HeaderBytes(2, 2, 1, 1, "PQ") + nodes);
  const struct {
    std::vector<std::string> args;
    std::string piece;
  } cases[] = {
      {{"info", text}, "text.mvg is not a grid file"},
      {{"info", cut}, "cut.mvg does not match its header"},
      {{"info", scratch.Path("missing.mvg")}, "Cannot open the grid file"},
      {{"totext", SamplePath("vp.txt"), "-o", out}, "vp.txt is not a grid file"},
      {{"picture", text, "-o", out}, "text.mvg is not a grid file"},
      {{"picture", cut, "-o", kept}, "cut.mvg does not match its header"},
      {{"totext", vpOnly, "--property", "Q", "-o", kept},
       "vp.mvg holds no property Q (density): its properties are P (Vp)."},
      {{"totext", vpOnly, "-o", scratch.Path("no/vp.txt")}, "Cannot write the text grid"},
      {{"totext", odd, "--property", "P", "-o", kept},
       "Cannot write the text grid " + kept + ": " + odd +
           " holds NaN at row 1, column 1 of P (Vp), which a text grid cannot hold."},
      {{"totext", odd, "--property", "Q", "-o", kept}, "holds -inf at row 2, column 1 of Q"},
      {{"picture", vpOnly, "-o", scratch.Path("")}, "Cannot write the picture"},
  };
  for (const auto& c : cases) ExpectFailure(RunTool(c.args), 1, {c.piece});
  const RunResult both = RunTool({"info", cut, vpOnly});  // one refused, the other still shown
  EXPECT_EQ(both.status, 1);
  EXPECT_EQ(both.out.rfind(vpOnly + ": grid file, 19496 bytes\n", 0), 0u) << both.out;
  EXPECT_FALSE(scratch.Exists("out"));
  EXPECT_EQ(ReadFileBytes(kept), "k");
  EXPECT_EQ(ReadFileBytes(vpOnly), bytes);
  const std::string info = RunTool({"info", odd}).out;
  EXPECT_NE(info.find("  P (Vp, m/s): no numbers, only NaN\n"
                      "  Q (density, kg/m3): minimum -inf, maximum 3\n"),
            std::string::npos)
      << info;
  ExpectFailure(RunTool({"info"}), 2, {"mvgtool info: no file given\nusage: mvgtool info"});
  ExpectFailure(RunTool({"totext", vpOnly, "--property", "X"}), 2, {"--property needs P"});
  ExpectFailure(RunTool({"picture", vpOnly, "--nx", "64"}), 2, {"--nx is for text grids"});
  ExpectFailure(RunTool({"picture", SamplePath("vp.txt"), "--property", "P"}), 2,
                {"--property is for grid files"});
}

}  // namespace
