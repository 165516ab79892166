#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "picture/GridPicture.h"
#include "picture/PictureScale.h"

namespace {

// The means of each pixel, row after row, as the resampling hands them on.
std::vector<float> Means(const std::vector<float>& values, std::int32_t nx, std::int32_t nz,
                         const PictureScale& scale) {
  std::vector<float> means(static_cast<std::size_t>(scale.x.size) * scale.z.size);
  std::mutex guard;
  EXPECT_TRUE(ResampleGrid({values.data(), static_cast<std::size_t>(nx), nx, nz}, scale,
                           [&](std::int32_t y, const float* row) {
                             std::lock_guard<std::mutex> lock(guard);
                             std::copy(row, row + scale.x.size, &means[y * scale.x.size]);
                           }));
  return means;
}

// Steps that no whole numbers fit: each pixel larger than a node is the mean of the nodes it
// covers weighted by the part covered, one smaller takes the node under its centre, and NaN
// counts for nothing.
TEST(PictureScaleTest, ResampledPixelsShowTheNodesTheyCover) {
  const float nan = std::nanf("");
  // 3 x 3 nodes, x + 10 z, into 2 x 2 pixels: each pixel one node and half of the next.
  std::vector<float> grid = {0, 1, 2, 10, 11, 12, 20, 21, 22};
  const PictureScale reduced{{3, 2, 2}, {3, 2, 2}};
  const std::vector<float> expected = {11.0f / 3, 5, 11.0f / 3 + 40.0f / 3, 5 + 40.0f / 3};
  const std::vector<float> means = Means(grid, 3, 3, reduced);
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_FLOAT_EQ(means[i], expected[i]) << i;
  grid[0] = nan;  // the rest of the first pixel: 1 and 10 by halves, 11 by a quarter
  EXPECT_FLOAT_EQ(Means(grid, 3, 3, reduced)[0], (0.5f * 1 + 0.5f * 10 + 0.25f * 11) / 1.25f);
  grid[1] = grid[3] = grid[4] = nan;
  EXPECT_TRUE(std::isnan(Means(grid, 3, 3, reduced)[0]));
  // 2 x 1 nodes into 3 x 1 pixels: the centres at 1/3, 1 and 5/3 of a node.
  EXPECT_EQ(Means({4, 7}, 2, 1, {{2, 3, 3}, {1, 1, 1}}), (std::vector<float>{4, 7, 7}));
}

// A window's picture fits the pixels it is given, its grid as large as fits and true to the
// steps within a pixel; at mvgtool's sizes, steps with whole ratios give whole numbers.
TEST(PictureScaleTest, PicturesFitTheirRoomAtTrueAspect) {
  std::vector<float> values(500 * 174);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i % 977);
  GridPictureRequest request;
  request.values = values.data();
  request.nx = 500;
  request.nz = 174;
  request.unit = "m/s";
  const struct {
    float dx, dz;
    std::int32_t width, height;
  } cases[] = {{20, 20, 640, 300}, {12.5f, 5, 640, 300}, {20, 5, 900, 700}, {20, 20, 300, 640}};
  for (const auto& c : cases) {
    request.dx = c.dx;
    request.dz = c.dz;
    request.width = c.width;
    request.height = c.height;
    const GridCanvas drawn = DrawGridCanvas(request);
    ASSERT_TRUE(drawn.ok());
    EXPECT_LE(drawn.canvas.Width(), c.width);
    EXPECT_LE(drawn.canvas.Height(), c.height);
    EXPECT_LE(drawn.imageLeft + drawn.scale.x.size, c.width);
    EXPECT_LE(drawn.imageTop + drawn.scale.z.size, c.height);
    EXPECT_GT(drawn.scale.x.size, c.width / 2);
    EXPECT_NEAR(drawn.scale.x.size * (174 * c.dz), drawn.scale.z.size * (500 * c.dx), 500 * c.dx)
        << c.dx << " " << c.dz;
  }
  // A title wider than the room, a room too small for the grid and its colour bar: the picture
  // is cut to the room rather than larger.
  request.title = "vp.txt: " + std::string(120, 'W');
  for (const auto& [width, height] : {std::pair{640, 300}, std::pair{90, 50}}) {
    request.width = width;
    request.height = height;
    const GridCanvas drawn = DrawGridCanvas(request);
    EXPECT_TRUE(drawn.ok() && drawn.canvas.Width() <= width && drawn.canvas.Height() <= height)
        << width << " x " << height << ": " << drawn.canvas.Width() << " x "
        << drawn.canvas.Height();
  }
  EXPECT_FALSE(ChoosePictureScale(500, 174, 12.5, 5).Whole());
  const PictureScale whole = ChoosePictureScale(500, 174, 20, 5);
  EXPECT_EQ(whole.x.PixelsPerNode(), 4 * whole.z.PixelsPerNode());
  EXPECT_TRUE(whole.Whole());
}

}  // namespace
