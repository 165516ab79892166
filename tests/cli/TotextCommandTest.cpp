#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "CliTestSupport.h"
#include "support/GridFileWords.h"

namespace {

// The tokens of a text, each shortened as far as it reads the same: the samples hold one decimal
// ("1030.0", "2601.2"), which the shortest decimal of their floats drops when it is zero.
std::vector<std::string> ShortTokens(const std::string& text) {
  std::vector<std::string> tokens;
  std::istringstream in(text);
  for (std::string token; in >> token; tokens.push_back(token)) {
    if (token.find('.') == std::string::npos) continue;
    token.erase(token.find_last_not_of('0') + 1);
    if (token.back() == '.') token.pop_back();
  }
  return tokens;
}

int ConvertMarmousi(const std::string& vp, const std::string& density, const std::string& vs,
                    const std::string& output) {
  return RunTool(
             {"convert", "--vp", vp, "--density", density, "--vs", vs, "--nx", "500", "-o", output})
      .status;
}

// A text grid read independently of the reader under test: each token as a double, then rounded
// to float32.
std::vector<float> ParseTextGrid(const std::string& path) {
  std::vector<float> values;
  std::istringstream in(ReadFileBytes(path));
  for (std::string token; in >> token;) {
    values.push_back(static_cast<float>(std::strtod(token.c_str(), nullptr)));
  }
  return values;
}

TEST(TotextCommandTest, MarmousiThroughTextComesBackByteIdentical) {
  ScratchFolder scratch;
  const std::string first = scratch.Path("first.mvg"), second = scratch.Path("second.mvg");
  ASSERT_EQ(ConvertMarmousi(MarmousiPath("vp.txt"), MarmousiPath("density.txt"),
                            MarmousiPath("vs.txt"), first),
            0);
  for (const std::string code : {"P", "Q", "R"}) {
    ASSERT_EQ(RunTool({"totext", first, "--property", code}).status, 0);  // first-P.txt, ...
  }
  ASSERT_EQ(ConvertMarmousi(scratch.Path("first-P.txt"), scratch.Path("first-Q.txt"),
                            scratch.Path("first-R.txt"), second),
            0);
  EXPECT_TRUE(ReadFileBytes(first) == ReadFileBytes(second));
}

// Node by node in the order Vp, density, Vs, bit for bit what the texts say; info shows the header
// and each property's range; back as text, each value the shortest decimal of its float, nx values
// a line.
TEST(TotextCommandTest, TheSamplesGoToAGridFileNodeByNodeShownByInfoAndBackAsText) {
  ScratchFolder scratch;
  const std::string model = scratch.Path("model.mvg");
  const RunResult result = RunTool({"convert", "--vp", SamplePath("vp.txt"), "--density",
                                    SamplePath("density.txt"), "--vs", SamplePath("vs.txt"), "--nx",
                                    "120", "--dx", "25", "--dz=0.3048", "-o", model});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");  // plausible values: no warning
  EXPECT_EQ(result.out, "Wrote " + model + ": nx 120, nz 40, properties PQR, 57896 bytes\n");
  const std::string file = ReadFileBytes(model);
  EXPECT_EQ(file.substr(0, 296), HeaderBytes(120, 40, 25.0f, 0.3048f, true, true, true));
  std::vector<float> nodes;
  const std::vector<float> vp = ParseTextGrid(SamplePath("vp.txt")),
                           density = ParseTextGrid(SamplePath("density.txt")),
                           vs = ParseTextGrid(SamplePath("vs.txt"));
  for (std::size_t i = 0; i < vp.size(); ++i) nodes.insert(nodes.end(), {vp[i], density[i], vs[i]});
  EXPECT_TRUE(DataWords(file) == BitsOf(nodes));
  EXPECT_EQ(RunTool({"info", model}).out, model + ": grid file, 57896 bytes\n" +
                                              "  nx 120, nz 40\n"
                                              "  dx 25, dz 0.3048\n"
                                              "  x extent 2975, z extent 11.8872\n"
                                              "  properties PQR\n"
                                              "  P (Vp, m/s): minimum 1500, maximum 4500\n"
                                              "  Q (density, kg/m3): minimum 1030, maximum 2539\n"
                                              "  R (Vs, m/s): minimum 0, maximum 2601.2\n");

  const struct {
    std::string sample, code;
  } cases[] = {{"vp.txt", "P"}, {"density.txt", "Q"}, {"vs.txt", "R"}};
  for (const auto& c : cases) {
    const std::string output = scratch.Path(c.code + ".txt");
    ASSERT_EQ(RunTool({"totext", model, "--property", c.code, "-o", output}).status, 0);
    const std::string text = ReadFileBytes(output);
    EXPECT_EQ(ShortTokens(text), ShortTokens(ReadFileBytes(SamplePath(c.sample)))) << c.sample;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 40);
    EXPECT_EQ(std::count(text.begin(), text.begin() + text.find('\n'), ' '), 119);
  }
}

TEST(TotextCommandTest, InfoPictureAndTotextRefuseBadInputsWithNothingWritten) {
  ScratchFolder scratch;
  const std::string vpOnly = scratch.Path("vp.mvg");
  ASSERT_EQ(RunTool({"convert", "--vp", SamplePath("vp.txt"), "-o", vpOnly}).status, 0);
  const std::string bytes = ReadFileBytes(vpOnly), out = scratch.Path("out");
  const std::string text = scratch.Write("text.mvg", "1 2 3 4\n"),
                    kept = scratch.Write("kept", "k");
  const std::string cut = scratch.Write("cut.mvg", bytes.substr(0, bytes.size() - 4));
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
      {{"picture", vpOnly, "-o", scratch.Path("")}, "Cannot write the picture"},
  };
  for (const auto& c : cases) ExpectFailure(RunTool(c.args), 1, {c.piece});
  const RunResult both = RunTool({"info", cut, vpOnly});  // one refused, the other still shown
  EXPECT_EQ(both.status, 1);
  EXPECT_EQ(both.out.rfind(vpOnly + ": grid file, 19496 bytes\n", 0), 0u) << both.out;
  EXPECT_FALSE(scratch.Exists("out"));
  EXPECT_EQ(ReadFileBytes(kept), "k");
  ExpectFailure(RunTool({"info"}), 2, {"mvgtool info: no file given\nusage: mvgtool info"});
  ExpectFailure(RunTool({"totext", vpOnly, "--property", "X"}), 2, {"--property needs P"});
  ExpectFailure(RunTool({"picture", vpOnly, "--nx", "64"}), 2, {"--nx is for text grids"});
  ExpectFailure(RunTool({"picture", SamplePath("vp.txt"), "--property", "P"}), 2,
                {"--property is for grid files"});
}

}  // namespace
