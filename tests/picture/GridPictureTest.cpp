#include "picture/GridPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

// The grid's image, row after row.
std::vector<std::uint8_t> Image(const GridCanvas& drawn) {
  std::vector<std::uint8_t> pixels;
  for (std::int32_t y = 0; y < drawn.scale.z.size; ++y) {
    const std::uint8_t* row =
        drawn.canvas.Pixels() +
        3 * (static_cast<std::size_t>(drawn.imageTop + y) * drawn.canvas.Width() + drawn.imageLeft);
    pixels.insert(pixels.end(), row, row + 3 * drawn.scale.x.size);
  }
  return pixels;
}

// Velocities in km/s drawn with the factor of km/s: the colour bar's ends are the m/s the grid
// file will hold, the colours those of the values as they are.
TEST(GridPictureTest, AUnitsFactorGivesTheColourBarsEndsAndKeepsTheColours) {
  const std::vector<float> values = {1.5f, 2.25f, 3.0f, 4.5f, 2.0f, 3.5f};
  GridPictureRequest request;
  request.values = values.data();
  request.nx = 3;
  request.nz = 2;
  const GridCanvas asTheyAre = DrawGridCanvas(request);
  request.factor = 1000;
  const GridCanvas inMetres = DrawGridCanvas(request);
  ASSERT_TRUE(asTheyAre.ok() && inMetres.ok());
  EXPECT_EQ(inMetres.colours.minimum, 1500.0f);
  EXPECT_EQ(inMetres.colours.maximum, 4500.0f);
  EXPECT_EQ(Image(inMetres), Image(asTheyAre));
}

// A model inside a border: its edges that lie inside the image are dashed, where the border
// begins; those on the image's frame (no border on that side) are not.
TEST(GridPictureTest, TheModelsEdgesInsideTheImageAreDashed) {
  const std::vector<float> values(10 * 10, 1.0f);
  GridPictureRequest request;
  request.values = values.data();
  request.nx = request.nz = 10;
  request.model = {2, 0, 8, 10};
  const GridCanvas drawn = DrawGridCanvas(request);
  ASSERT_TRUE(drawn.ok());
  const std::vector<std::uint8_t> image = Image(drawn);
  const std::int32_t width = drawn.scale.x.size;
  std::set<std::int32_t> marked;
  for (std::size_t i = 0; i < image.size(); i += 3) {
    if (!std::equal(&image[i], &image[i] + 3, &image[3 * (width / 2)])) {
      marked.insert(static_cast<std::int32_t>(i / 3 % width));
    }
  }
  const std::int32_t at2 = static_cast<std::int32_t>(2 * drawn.scale.x.PixelsPerNode());
  const std::int32_t at8 = static_cast<std::int32_t>(8 * drawn.scale.x.PixelsPerNode());
  EXPECT_TRUE(marked.count(at2) == 1 && marked.count(at8) == 1);
  for (const std::int32_t x : marked) {
    EXPECT_TRUE(std::abs(x - at2) <= 1 || std::abs(x - at8) <= 1) << x;
  }
}

}  // namespace
