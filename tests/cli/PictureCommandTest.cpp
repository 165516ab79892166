#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <tuple>

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
  if (rgb == nullptr) return Png{};
  png.pixels.resize(static_cast<std::size_t>(png.width) * png.height);
  std::memcpy(png.pixels.data(), rgb, png.pixels.size() * 3);
  stbi_image_free(rgb);
  return png;
}

TEST(PictureCommandTest, SmallGridsAreEnlargedAndLargeOnesReduced) {
  ScratchFolder scratch;
  std::string wide;  // 4500 x 2 nodes
  for (int i = 0; i < 9000; ++i) wide += std::to_string(i % 7) + ' ';
  const std::tuple<std::string, const char*, int, int> cases[] = {
      {SamplePath("vp.txt"), "120", 600, 900},                // 5 pixels a node
      {MarmousiPath("vp.txt"), "500", 1000, 1300},            // 2 pixels a node
      {scratch.Write("wide.txt", wide), "4500", 1500, 2200},  // 3 x 3 nodes a pixel
  };
  for (const auto& [input, nx, minimumWidth, maximumWidth] : cases) {
    const Png png = Picture({input, "--nx", nx}, scratch.Path("size.png"));
    EXPECT_TRUE(png.width >= minimumWidth && png.width <= maximumWidth && png.height <= png.width)
        << input << ": " << png.width << " x " << png.height;
  }
}

TEST(PictureCommandTest, ExtremeValuesTakeTheEndsOfTheMapWithXRightAndZDown) {
  ScratchFolder scratch;
  // 1500 | 4500 on top, 4500 | 1500 below: each node a square of 300 pixels.
  const Png png =
      Picture({scratch.Write("grid.txt", "1500 4500\n4500 1500\n")}, scratch.Path("grid.png"));
  ASSERT_GT(png.width, 0);
  int x = 0, y = 0;  // the first pixel of the lowest colour: the grid's top left
  for (; png.At(x, y) != kLow; x = (x + 1) % png.width, y += x == 0) ASSERT_LT(y, png.height);
  EXPECT_EQ(png.At(x + 299, y + 299), kLow);
  EXPECT_EQ(png.At(x + 300, y), kHigh);
  EXPECT_EQ(png.At(x, y + 300), kHigh);
  EXPECT_EQ(png.At(x + 300, y + 300), kLow);
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
