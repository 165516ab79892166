#include "widgets/DibSurface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<std::uint8_t> BlockBytes(const DibSurface& surface) {
  if (!surface.HasImage()) return {};
  return std::vector<std::uint8_t>(surface.Block(), surface.Block() + surface.BlockSize());
}

std::uint32_t Read32(const std::uint8_t* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (std::uint32_t{at[3]} << 24);
}

TEST(DibSurfaceTest, SizesTheHeaderCannotDescribeLeaveNoImageAndEveryOperationIgnoresIt) {
  DibSurface surface;
  EXPECT_EQ(surface.BlockSize(), 40u);  // the header's size field only
  ASSERT_NE(surface.Allocate(4, 4, 8), nullptr);
  EXPECT_EQ(surface.Allocate(-1, 4, 8), nullptr);
  EXPECT_FALSE(surface.HasImage());
  EXPECT_EQ(surface.Allocate(4, -1, 8), nullptr);
  EXPECT_EQ(surface.Allocate(70000, 70000, 24), nullptr);  // over 4 GiB of pixels
  EXPECT_FALSE(surface.HasImage());
  EXPECT_EQ(surface.PixelData(), nullptr);
  surface.Fill(1);
  surface.PutPixel(0, 0, 1);
  surface.PutPaletteColour(0, 1, 2, 3);
  surface.TintPalette(0, 50);
  EXPECT_FALSE(surface.HasImage());
}

TEST(DibSurfaceTest, DepthsAreNormalisedWithTheirColourTablesAndRowsPaddedToWholeWords) {
  struct Case {
    std::uint16_t asked;
    std::int32_t width;
    std::uint16_t bits, paletteBytes;
    std::uint32_t rowBytes;
  };
  const Case cases[] = {{0, 5, 1, 8, 4},   {1, 33, 1, 8, 8},   {2, 9, 4, 64, 8},
                        {4, 5, 4, 64, 4},  {5, 1, 8, 1024, 4}, {8, 35, 8, 1024, 36},
                        {9, 3, 24, 0, 12}, {32, 0, 24, 0, 0}};
  for (const Case& c : cases) {
    DibSurface surface;
    ASSERT_NE(surface.Allocate(c.width, 2, c.asked), nullptr) << c.asked;
    EXPECT_EQ(surface.Header().biBitCount, c.bits) << c.asked;
    EXPECT_EQ(surface.PaletteBytes(), c.paletteBytes) << c.asked;
    EXPECT_EQ(surface.RowBytes(), c.rowBytes) << c.width << " at " << c.asked;
    EXPECT_EQ(surface.Header().biSizeImage, 2 * c.rowBytes);
  }
}

TEST(DibSurfaceTest, BlockStartsWithTheLittleEndianHeaderThenTableThenPixels) {
  DibSurface surface;
  std::uint8_t* block = surface.Allocate(35, 2, 8);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(Read32(block + 0), 40u);         // biSize
  EXPECT_EQ(Read32(block + 4), 35u);         // biWidth
  EXPECT_EQ(Read32(block + 8), 2u);          // biHeight: positive, bottom row first
  EXPECT_EQ(block[12] | block[13] << 8, 1);  // biPlanes
  EXPECT_EQ(block[14] | block[15] << 8, 8);  // biBitCount
  EXPECT_EQ(Read32(block + 20), 72u);        // biSizeImage
  EXPECT_EQ(surface.BlockSize(), 40u + 1024u + 72u);
  EXPECT_EQ(surface.PixelData(), block + 40 + 1024);
}

TEST(DibSurfaceTest, EmptyImagesHaveNoPixelBytesAndFillWritesNothing) {
  for (auto size : {std::pair<int, int>{0, 5}, {5, 0}, {0, 0}}) {
    DibSurface surface;
    ASSERT_NE(surface.Allocate(size.first, size.second, 8), nullptr);
    EXPECT_EQ(surface.BlockSize(), 40u + 1024u);
    const auto before = BlockBytes(surface);
    surface.Fill(0xAB);
    surface.PutPixel(0, 0, 0xAB);
    EXPECT_EQ(BlockBytes(surface), before);
  }
}

TEST(DibSurfaceTest, PutPixelCountsRowsFromTheTopSoRowZeroIsStoredLast) {
  DibSurface surface;
  ASSERT_NE(surface.Allocate(3, 2, 8), nullptr);
  surface.PutPixel(1, 0, 7);
  surface.PutPixel(2, 1, 9);
  EXPECT_EQ(surface.PixelData()[surface.RowBytes() + 1], 7);  // last stored row
  EXPECT_EQ(surface.PixelData()[2], 9);                       // first stored row
  EXPECT_EQ(surface.PixelAt(1, 0), 7);
}

TEST(DibSurfaceTest, PutPixelOutsideTheImageWithoutATableOrPastNarrowRowsIsIgnored) {
  DibSurface surface;
  ASSERT_NE(surface.Allocate(3, 2, 8), nullptr);
  const auto before = BlockBytes(surface);
  for (auto at : {std::pair<int, int>{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) {
    surface.PutPixel(at.first, at.second, 0xEE);
  }
  EXPECT_EQ(BlockBytes(surface), before);

  DibSurface trueColour;
  ASSERT_NE(trueColour.Allocate(3, 2, 24), nullptr);
  const auto trueBefore = BlockBytes(trueColour);
  trueColour.PutPixel(1, 1, 0xEE);
  EXPECT_EQ(BlockBytes(trueColour), trueBefore);

  // One byte per pixel on a 1-bit row of 8 bytes: x = 8 to 34 of the top row would land
  // past the end of the pixels (ASan sees the first byte past it).
  DibSurface narrow;
  ASSERT_NE(narrow.Allocate(35, 2, 1), nullptr);
  for (int x : {8, 15, 34}) narrow.PutPixel(x, 0, 0xEE);
  for (std::uint32_t i = 0; i < 16; ++i) EXPECT_EQ(narrow.PixelData()[i], 0) << i;
  narrow.PutPixel(3, 1, 0x55);  // still lands in the block
  EXPECT_EQ(narrow.PixelData()[3], 0x55);
}

TEST(DibSurfaceTest, PaletteEntriesAreBlueGreenRedZeroAndBoundedByTheTable) {
  DibSurface surface;
  ASSERT_NE(surface.Allocate(2, 2, 4), nullptr);
  surface.PutPaletteColour(15, 10, 20, 30);
  EXPECT_EQ(Read32(surface.Block() + 40 + 4 * 15), 0x000A141Eu);
  EXPECT_EQ(surface.PaletteColour(15), 0x1E140Au);
  const auto before = BlockBytes(surface);
  surface.PutPaletteColour(16, 1, 2, 3);  // past the 16 entries: would be a pixel byte
  EXPECT_EQ(BlockBytes(surface), before);

  DibSurface trueColour;
  ASSERT_NE(trueColour.Allocate(2, 2, 24), nullptr);
  const auto trueBefore = BlockBytes(trueColour);
  trueColour.PutPaletteColour(0, 1, 2, 3);
  trueColour.TintPalette(0xFFFFFF, 50);
  EXPECT_EQ(BlockBytes(trueColour), trueBefore);
}

TEST(DibSurfaceTest, TintMovesEveryEntryTowardTheColourClampedToZeroAndHundredPercent) {
  DibSurface surface;
  ASSERT_NE(surface.Allocate(1, 1, 1), nullptr);
  surface.PutPaletteColour(0, 100, 0, 200);
  surface.PutPaletteColour(1, 255, 255, 255);
  const auto before = BlockBytes(surface);
  surface.TintPalette(0x6400FF, 0);
  EXPECT_EQ(BlockBytes(surface), before);
  surface.TintPalette(0x6400FF, 50);               // red 255, green 0, blue 100
  EXPECT_EQ(surface.PaletteColour(0), 0x9600B1u);  // remainders dropped: (177, 0, 150)
  EXPECT_EQ(surface.PaletteColour(1), 0xB17FFFu);  // (255, 127, 177)
  EXPECT_EQ(surface.Block()[40 + 3], 0);           // reserved stays 0
  surface.TintPalette(0x123456, 250);
  EXPECT_EQ(surface.PaletteColour(0), 0x123456u);
  EXPECT_EQ(surface.PaletteColour(1), 0x123456u);
}

TEST(DibSurfaceTest, FillSetsEveryPixelByteAndLeavesTheTableReallocatingClearsBoth) {
  DibSurface surface;
  ASSERT_NE(surface.Allocate(5, 3, 8), nullptr);
  surface.PutPaletteColour(4, 1, 2, 3);
  surface.Fill(0x5A);
  const std::vector<std::uint8_t> pixels(surface.PixelData(), surface.PixelData() + 24);
  EXPECT_EQ(pixels, std::vector<std::uint8_t>(24, 0x5A));  // padding included
  EXPECT_EQ(surface.PaletteColour(4), 0x030201u);
  ASSERT_NE(surface.Allocate(5, 3, 8), nullptr);
  EXPECT_EQ(surface.PaletteColour(4), 0u);
  EXPECT_EQ(surface.PixelAt(0, 0), 0);
}

TEST(DibSurfaceTest, CopyFromAnotherSizeReplacesSizeDepthColoursAndPixels) {
  DibSurface source;
  ASSERT_NE(source.Allocate(3, 2, 4), nullptr);
  source.PutPaletteColour(2, 9, 8, 7);
  source.Fill(0x21);
  DibSurface target;
  ASSERT_NE(target.Allocate(40, 30, 8), nullptr);
  target.Fill(0xFF);

  target.CopyFrom(source);
  EXPECT_EQ(BlockBytes(target), BlockBytes(source));
  EXPECT_EQ(target.Width(), 3);
  EXPECT_EQ(target.RowBytes(), source.RowBytes());
  EXPECT_EQ(target.PaletteCount(), 16);
  EXPECT_NE(target.Block(), source.Block());  // its own block

  target.CopyFrom(target);  // a copy of itself changes nothing
  EXPECT_EQ(BlockBytes(target), BlockBytes(source));
  DibSurface empty;
  target.CopyFrom(empty);
  EXPECT_FALSE(target.HasImage());
}

}  // namespace
