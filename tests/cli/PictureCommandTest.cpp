#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <tuple>
#include <utility>

#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include "CliTestSupport.h"
#include "support/GzipText.h"

namespace {

using Colour = std::array<std::uint8_t, 3>;
constexpr Colour kLow = {68, 1, 84}, kHigh = {253, 231, 37};  // the ends of the viridis map

struct Png {
  int width = 0, height = 0;  // 0 when the file does not decode
  std::vector<Colour> pixels;
  std::string said;  // what mvgtool said it wrote
  Colour At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Runs mvgtool picture and reads the PNG back with the decoder of the library that wrote it.
Png Picture(std::vector<std::string> args, const std::string& output) {
  args.insert(args.begin(), "picture");
  args.insert(args.end(), {"-o", output});
  const RunResult result = RunTool(args);
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string bytes = ReadFileBytes(output);
  Png png;
  int channels = 0;
  stbi_uc* rgb =
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                            static_cast<int>(bytes.size()), &png.width, &png.height, &channels, 3);
  png.said = result.out;
  if (rgb == nullptr) return png;
  png.pixels.resize(static_cast<std::size_t>(png.width) * png.height);
  std::memcpy(png.pixels.data(), rgb, png.pixels.size() * 3);
  stbi_image_free(rgb);
  return png;
}

TEST(PictureCommandTest, SmallGridsAreEnlargedAndLargeOnesReduced) {
  ScratchFolder scratch;
  std::string wide, long1200;  // 4500 x 2 and 1200 x 2 nodes
  for (int i = 0; i < 9000; ++i) wide += std::to_string(i % 7) + ' ';
  for (int i = 0; i < 2400; ++i) long1200 += std::to_string(i % 7) + ' ';
  const std::string tall = scratch.Write("tall.txt", long1200);  // nodes drawn 3 times as tall
  const std::tuple<std::string, const char*, int, int, const char*> cases[] = {
      {SamplePath("vp.txt"), "120", 600, 900, "at 5 x 5 pixels a node"},
      {MarmousiPath("vp.txt"), "500", 1000, 1300, "at 2 x 2 pixels a node"},
      {scratch.Write("wide.txt", wide), "4500", 1500, 2200, "averaged over blocks of 3 x 3 nodes"},
      {scratch.Write("long.txt", long1200), "1200", 1200, 1500, "at a pixel a node"},
      {tall, "1200", 1200, 1500, "at 1 x 3 pixels a node"},
  };
  for (const auto& [input, nx, minimumWidth, maximumWidth, scale] : cases) {
    std::vector<std::string> args = {input, "--nx", nx};
    if (input == tall) args.insert(args.end(), {"--dx", "10", "--dz", "30"});
    const Png png = Picture(args, scratch.Path("size.png"));
    EXPECT_TRUE(png.width >= minimumWidth && png.width <= maximumWidth && png.height <= png.width)
        << input << ": " << png.width << " x " << png.height;
    EXPECT_NE(png.said.find(std::string(" grid ") + scale + " ("), std::string::npos) << png.said;
  }
}

// The first pixel of the lowest colour: the grid's top left when its first node is the lowest.
std::pair<int, int> FirstLow(const Png& png) {
  int x = 0, y = 0;
  for (; y < png.height && png.At(x, y) != kLow; x = (x + 1) % png.width, y += x == 0) {
  }
  return {x, y};
}

// Each node dx wide and dz tall, the steps from --dx and --dz, from a grid file's header or from
// a text grid's; square without steps. 1500 | 4500 on top, 4500 | 1500 below.
TEST(PictureCommandTest, NodesAreDrawnDxWideAndDzTallWithXRightAndZDown) {
  ScratchFolder scratch;
  const std::string text = scratch.Write("grid.txt", "1500 4500\n4500 1500\n");
  const std::string esri =
      scratch.Write("grid.asc", "ncols 2\nnrows 2\ndx 20\ndy 5\n1500 4500\n4500 1500\n");
  const std::string model = scratch.Path("model.mvg");
  ASSERT_EQ(RunTool({"convert", "--vp", text, "--dx", "20", "--dz", "5", "-o", model}).status, 0);
  const struct {
    std::vector<std::string> args;
    int width, height;  // of a node, in pixels
  } cases[] = {
      {{text}, 300, 300},
      {{text, "--dx", "20", "--dz", "20"}, 300, 300},
      {{text, "--dx", "20", "--dz", "5"}, 300, 75},
      {{model}, 300, 75},
      {{esri}, 300, 75},
  };
  for (const auto& c : cases) {
    const Png png = Picture(c.args, scratch.Path("grid.png"));
    const auto [x, y] = FirstLow(png);
    ASSERT_LT(y, png.height);
    EXPECT_EQ(png.At(x + c.width - 1, y + c.height - 1), kLow) << c.args.size();
    EXPECT_EQ(png.At(x + c.width, y), kHigh) << c.args.size();
    EXPECT_EQ(png.At(x, y + c.height), kHigh) << c.args.size();
    EXPECT_EQ(png.At(x + c.width, y + c.height), kLow) << c.args.size();
  }
}

// --range and --clip choose the values of the colour map's ends; values beyond take the end
// colours, and NaN counts for neither percentile.
TEST(PictureCommandTest, RangeAndClipChooseTheValuesOfTheEndColours) {
  ScratchFolder scratch;
  std::string values;  // one row: 0, 1, ..., 100, then 101 NaN
  for (int i = 0; i < 202; ++i) {
    const float value = i <= 100 ? static_cast<float>(i) : std::nanf("");
    values.append(reinterpret_cast<const char*>(&value), sizeof value);
  }
  const std::string model = scratch.Write("row.mvg", HeaderBytes(202, 1, 10, 10, "P") + values);
  int pixels = 0;  // a node's width: node 0 alone has the lowest colour at first
  const auto colours = [&](std::vector<std::string> options) {
    options.insert(options.begin(), model);
    const Png png = Picture(options, scratch.Path("row.png"));
    const auto [x, y] = FirstLow(png);
    for (bool first = pixels == 0; first && png.At(x + pixels, y) == kLow;) ++pixels;
    std::vector<Colour> nodes;
    for (int i = 0; i <= 100; ++i) nodes.push_back(png.At(x + i * pixels + pixels / 2, y));
    return nodes;
  };
  const std::vector<Colour> whole = colours({});
  EXPECT_NE(whole[1], kLow);
  EXPECT_EQ(whole[100], kHigh);
  const std::vector<Colour> given = colours({"--range", "25", "75"});
  EXPECT_EQ(given[0], kLow);
  EXPECT_EQ(given[25], kLow);
  EXPECT_NE(given[26], kLow);
  EXPECT_EQ(given[50], whole[50]);  // the middle value keeps the middle colour
  EXPECT_NE(given[74], kHigh);
  EXPECT_EQ(given[75], kHigh);
  const std::vector<Colour> clipped = colours({"--clip", "2"});
  EXPECT_EQ(clipped[2], kLow);
  EXPECT_NE(clipped[3], kLow);
  EXPECT_EQ(clipped[50], whole[50]);
  EXPECT_NE(clipped[97], kHigh);
  EXPECT_EQ(clipped[98], kHigh);
  EXPECT_NE(RunTool({"picture", model, "--clip", "2", "-o", scratch.Path("row.png")})
                .out.find("; colours 2 to 98 m/s, the 2nd to 98th percentile\n"),
            std::string::npos);
  EXPECT_NE(RunTool({"picture", model, "--clip", "2.5", "-o", scratch.Path("row.png")})
                .out.find(", the 2.5th to 97.5th percentile\n"),
            std::string::npos);
}

TEST(PictureCommandTest, BadStepsAndColourRangesAreRefused) {
  ScratchFolder scratch;
  const std::string text = SamplePath("vp.txt");
  const std::string model =
      scratch.Write("m.mvg", HeaderBytes(1, 1, 20, 20, "P") + std::string(4, 0));
  const struct {
    std::vector<std::string> args;
    int status;
    std::string piece;
  } cases[] = {
      {{text, "--range", "4000", "1500"}, 2, "--range needs MIN below MAX: 4000 is not below 1500"},
      {{text, "--range", "1500", "1500"}, 2, "1500 is not below 1500"},
      {{text, "--range", "1500"}, 2, "option --range needs two values"},
      {{text, "--range", "1500", "fast"}, 2, "--range needs two numbers, not \"fast\""},
      {{text, "--clip", "50"}, 2, "--clip needs a percentage from 0 up to but not including 50"},
      {{text, "--clip", "-1"}, 2, "not including 50, not -1"},
      {{text, "--clip", "2%"}, 2, "--clip needs a number, not \"2%\""},
      {{text, "--clip", "2", "--range", "0", "1"}, 2, "give --range or --clip, not both"},
      {{text, "--dx", "20"}, 2, "no --dz: give the grid step along Z in m"},
      {{text, "--dx", "20", "--dz", "0"}, 1, "--dz: The Z step must be greater than 0."},
      {{model, "--flip-z"}, 2, "--flip-z is for text grids, not the grid file " + model},
      {{model, "--dx", "20", "--dz", "5"},
       2,
       "--dx is for text grids; the grid file " + model + " holds its own steps"},
  };
  for (auto c : cases) {
    c.args.insert(c.args.begin(), "picture");
    c.args.insert(c.args.end(), {"-o", scratch.Path("out.png")});
    ExpectFailure(RunTool(c.args), c.status, {c.piece});
  }
  EXPECT_FALSE(scratch.Exists("out.png"));
}

// A gzip-compressed text grid is named after its text.
TEST(PictureCommandTest, DefaultsAreTheProposedXSizeAndVpNamedAfterTheInput) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt.gz", GzipOf(ReadFileBytes(SamplePath("vp.txt"))));
  ASSERT_EQ(RunTool({"picture", vp}).status, 0);  // vp.png, at the proposal from its lines, 120
  const Png proposal = Picture({vp, "--nx", "120"}, scratch.Path("120.png"));
  EXPECT_EQ(scratch.Read("vp.png"), scratch.Read("120.png"));
  const Png wrong = Picture({vp, "--nx", "64"}, scratch.Path("64.png"));
  EXPECT_NE(wrong.pixels, proposal.pixels);  // a wrong X size shows

  const std::string model = scratch.Path("model.mvg");
  RunTool({"convert", "--vs", SamplePath("vs.txt"), "--vp", vp, "--nx", "120", "--dx", "25", "--dz",
           "25", "-o", model});
  ASSERT_EQ(RunTool({"picture", model}).status, 0);  // model-P.png
  const Png fromModel = Picture({model, "--property", "p"}, scratch.Path("p.png"));
  EXPECT_EQ(scratch.Read("model-P.png"), scratch.Read("p.png"));
  EXPECT_NE(fromModel.pixels, Picture({model, "--property", "R"}, scratch.Path("r.png")).pixels);
  ExpectFailure(RunTool({"picture", "-"}), 2, {"a picture of standard input needs -o OUTPUT.png"});
}

}  // namespace
