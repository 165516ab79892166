#include "picture/GridPicture.h"

#include <gtest/gtest.h>

#include <cstdint>
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

}  // namespace
