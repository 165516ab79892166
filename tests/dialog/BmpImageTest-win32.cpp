#include "dialog/BmpImage-win32.h"

#include <gtest/gtest.h>

#include <vector>

#include "dialog/BmpTestFiles.h"
#include "support/PaintCanvas.h"

namespace {

constexpr COLORREF kUntouched = PaintCanvas::kUnpainted;

// A 24-bit bitmap whose pixel in memory row r, column c is red 0x40, green r, blue c.
std::vector<unsigned char> RowColumnBitmap(int width, int height) {
  std::vector<unsigned char> file = bmp_test::MakeBmp24(width, height);
  const int rows = height < 0 ? -height : height;
  const size_t stride = bmp_test::RowStride(width, 24);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < width; ++c) {
      unsigned char* pixel = &file[14 + 40 + r * stride + 3 * c];
      pixel[0] = static_cast<unsigned char>(c);
      pixel[1] = static_cast<unsigned char>(r);
      pixel[2] = 0x40;
    }
  }
  return file;
}

COLORREF RowColumn(int row, int column) { return RGB(0x40, row, column); }

TEST(BmpImageDrawTest, ALargerBitmapShowsTheLowerLeftCornerOnly) {
  PaintCanvas surface(120, 60);
  const std::vector<unsigned char> file = RowColumnBitmap(100, 50);
  BmpImage image;
  ASSERT_EQ(image.Parse(file.data(), file.size()), BmpReadResult::kLoaded);

  DrawBmpImage(surface.dc, image, 10, 5, 78, 37);
  // The first row in memory is the bottom row of the drawn area.
  EXPECT_EQ(surface.At(10, 5 + 36), RowColumn(0, 0));
  EXPECT_EQ(surface.At(10 + 77, 5 + 36), RowColumn(0, 77));
  EXPECT_EQ(surface.At(10, 5), RowColumn(36, 0));
  EXPECT_EQ(surface.At(10 + 77, 5), RowColumn(36, 77));
  EXPECT_EQ(surface.At(40, 20), RowColumn(5 + 36 - 20, 30));
  // Nothing outside the area.
  EXPECT_EQ(surface.At(9, 5), kUntouched);
  EXPECT_EQ(surface.At(10 + 78, 5), kUntouched);
  EXPECT_EQ(surface.At(10, 4), kUntouched);
  EXPECT_EQ(surface.At(10, 5 + 37), kUntouched);
}

TEST(BmpImageDrawTest, ASmallerBitmapDrawsItsOwnSizeAndTheFaceColourAroundIt) {
  PaintCanvas surface(120, 60);
  const std::vector<unsigned char> file = RowColumnBitmap(20, -10);  // top-down
  BmpImage image;
  ASSERT_EQ(image.Parse(file.data(), file.size()), BmpReadResult::kLoaded);

  DrawBmpImage(surface.dc, image, 10, 5, 78, 37);
  EXPECT_EQ(surface.At(10, 5), RowColumn(0, 0));
  EXPECT_EQ(surface.At(29, 14), RowColumn(9, 19));
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  EXPECT_EQ(surface.At(30, 5), face);
  EXPECT_EQ(surface.At(87, 41), face);
  EXPECT_EQ(surface.At(10, 15), face);
  EXPECT_EQ(surface.At(29, 41), face);
  EXPECT_EQ(surface.At(88, 41), kUntouched);
  EXPECT_EQ(surface.At(10, 42), kUntouched);
}

TEST(BmpImageDrawTest, PaletteColoursComeFromTheColourTable) {
  PaintCanvas surface(90, 40);
  // Grey ramp of 256 entries; pixel bytes are numbered 0, 1, 2, ... in memory.
  const std::vector<unsigned char> file = bmp_test::MakeBmp8(78, 37);
  BmpImage image;
  ASSERT_EQ(image.Parse(file.data(), file.size()), BmpReadResult::kLoaded);
  DrawBmpImage(surface.dc, image, 0, 0, 78, 37);
  EXPECT_EQ(surface.At(0, 36), RGB(0, 0, 0));
  EXPECT_EQ(surface.At(5, 36), RGB(5, 5, 5));
  EXPECT_EQ(surface.At(2, 35), RGB(82, 82, 82));  // second row starts at byte 80
}

TEST(BmpImageDrawTest, AnImageWithoutDataDrawsNothing) {
  PaintCanvas surface(90, 40);
  std::vector<unsigned char> file = bmp_test::MakeBmp24(78, 37);
  file[0] = 'X';
  BmpImage image;
  EXPECT_EQ(image.Parse(file.data(), file.size()), BmpReadResult::kNoSignature);
  DrawBmpImage(surface.dc, image, 0, 0, 78, 37);
  EXPECT_EQ(surface.At(0, 0), kUntouched);
  EXPECT_EQ(surface.At(77, 36), kUntouched);
  DrawBmpImageOnWindow(nullptr, image, 0, 0, 78, 37);  // no window: nothing to do
}

}  // namespace
