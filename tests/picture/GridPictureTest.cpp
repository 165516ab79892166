#include "picture/GridPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
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

// The colour bar spans the values of the part drawn: its extremes in its last row and last
// column count, the nodes beside and below it do not, nor does an infinite value.
TEST(GridPictureTest, TheColourBarSpansTheValuesOfThePartDrawn) {
  const std::int32_t nx = 13, nz = 9;
  std::vector<float> values(static_cast<std::size_t>(nx) * nz, 1500.0f);
  const auto at = [&](std::int32_t x, std::int32_t z) -> float& { return values[z * nx + x]; };
  const PictureWindow window{2, 1, 9, 5};  // columns 2 to 10, rows 1 to 5
  for (std::int32_t x = 0; x < nx; ++x) at(x, 6) = x % 2 ? 9e9f : -9e9f;   // the row below
  for (std::int32_t z = 0; z < nz; ++z) at(11, z) = z % 2 ? 9e9f : -9e9f;  // the column beside
  at(2, 5) = 1000.0f;
  at(10, 5) = 4000.0f;
  GridPictureRequest request;
  request.values = values.data();
  request.nx = nx;
  request.nz = nz;
  request.window = window;
  for (const bool clip : {false, true}) {
    for (const float other : {1500.0f, std::numeric_limits<float>::infinity()}) {
      at(6, 3) = other;
      request.colours.kind = clip ? ColourChoice::Kind::kClip : ColourChoice::Kind::kWhole;
      const GridCanvas drawn = DrawGridCanvas(request);
      EXPECT_TRUE(drawn.colours.minimum == 1000.0f && drawn.colours.maximum == 4000.0f)
          << (clip ? "the 0th to 100th percentile" : "the whole range") << ", " << other << ": "
          << drawn.colours.minimum << " to " << drawn.colours.maximum;
    }
  }
  // The whole grid, its extremes in its last row.
  request.window = {};
  std::fill(values.begin(), values.end(), 1500.0f);
  at(0, nz - 1) = 1000.0f;
  at(nx - 1, nz - 1) = 4000.0f;
  const GridCanvas whole = DrawGridCanvas(request);
  EXPECT_TRUE(whole.colours.minimum == 1000.0f && whole.colours.maximum == 4000.0f);
}

}  // namespace
