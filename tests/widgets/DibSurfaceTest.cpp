#include "widgets/DibSurface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

namespace {

std::vector<std::uint8_t> BlockBytes(const DibSurface& surface) {
  if (!surface.HasImage()) return {};
  return std::vector<std::uint8_t>(surface.Block(), surface.Block() + surface.BlockSize());
}

// The block goes to the platform's painting call as it is. A 35 x 2 picture of 8 bits: the
// little-endian header, the 256-entry table, then the rows bottom first, each padded to 36; and
// one of 24 bits from RGB pixels.
TEST(DibSurfaceTest, BlockIsThePackedPictureThePlatformPaints) {
  DibSurface surface;
  std::uint8_t* block = surface.Allocate(35, 2, 8);
  ASSERT_NE(block, nullptr);
  // Size 40, width 35, height 2 (positive: bottom row first), 1 plane, 8 bits, 72 pixel bytes.
  const std::vector<std::uint8_t> header = {40, 0, 0, 0, 35, 0, 0, 0, 2,  0, 0, 0,
                                            1,  0, 8, 0, 0,  0, 0, 0, 72, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(block, block + 24), header);
  EXPECT_EQ(surface.BlockSize(), 40u + 1024u + 72u);
  surface.PutPaletteColour(255, 10, 20, 30);  // stored blue, green, red, 0
  EXPECT_EQ(std::vector<std::uint8_t>(block + 1060, block + 1064),
            (std::vector<std::uint8_t>{30, 20, 10, 0}));
  EXPECT_EQ(surface.PaletteColour(255), 0x1E140Au);  // read back as red, green, blue
  surface.PutPixel(34, 0, 7);                        // the top row is stored last
  surface.PutPixel(0, 1, 9);
  EXPECT_EQ(block[40 + 1024 + 36 + 34], 7);
  EXPECT_EQ(block[40 + 1024], 9);
  EXPECT_EQ(surface.PixelAt(34, 0), 7);

  // A picture's RGB rows from the top become blue, green, red rows from the bottom, padded; the
  // rows after them in memory stay out, and the header stays that of 2 x 2 pixels of 24 bits.
  const std::uint8_t rgb[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  ASSERT_TRUE(surface.CopyRgbRows(rgb, 2, 2));
  const std::vector<std::uint8_t> header24 = {40, 0, 0,  0, 2, 0, 0, 0, 2,  0, 0, 0,
                                              1,  0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0};
  std::vector<std::uint8_t> expected = header24;
  expected.resize(40);
  expected.insert(expected.end(), {9, 8, 7, 12, 11, 10, 0, 0, 3, 2, 1, 6, 5, 4, 0, 0});
  EXPECT_EQ(BlockBytes(surface), expected);
}

// Sizes the header cannot describe leave no image; points outside the picture, entries
// outside the table and rows narrower than a byte a pixel change nothing (the sanitizer
// build sees any byte written past the block); an entry outside the table reads as black.
TEST(DibSurfaceTest, EdgeSizesAndPointsOutsideThePictureChangeNothing) {
  DibSurface surface;
  for (auto size : {std::pair<int, int>{-1, 4}, {4, -1}, {70000, 70000}}) {
    ASSERT_NE(surface.Allocate(4, 4, 8), nullptr);
    EXPECT_EQ(surface.Allocate(size.first, size.second, 24), nullptr) << size.first;
    EXPECT_FALSE(surface.HasImage());
  }

  const std::tuple<std::int32_t, std::int32_t, std::uint16_t> cases[] = {
      {0, 5, 8}, {5, 0, 8}, {3, 2, 8}, {3, 2, 24}, {35, 2, 1}, {9, 2, 4}};
  for (const auto& [width, height, depth] : cases) {
    SCOPED_TRACE(testing::Message() << width << "x" << height << " at " << depth);
    ASSERT_NE(surface.Allocate(width, height, depth), nullptr);
    const auto before = BlockBytes(surface);
    if (width == 0 || height == 0) surface.Fill(0xEE);
    // 35 pixels of 1 bit make rows of 8 bytes, 9 of 4 bits rows of 8: x = 8 on the top row
    // would lie past the pixels.
    for (auto at : {std::pair<int, int>{-1, 0}, {width, 0}, {0, -1}, {0, height}, {8, 0}}) {
      surface.PutPixel(at.first, at.second, 0xEE);
    }
    if (depth != 8) surface.PutPaletteColour(16, 1, 2, 3);
    if (depth == 24) surface.TintPalette(0xFFFFFF, 50);
    EXPECT_EQ(BlockBytes(surface), before);
    surface.Fill(0x7F);  // the bytes past the table are pixels
    EXPECT_EQ(surface.PaletteColour(static_cast<std::uint8_t>(surface.PaletteCount())), 0u);
  }
}

}  // namespace
