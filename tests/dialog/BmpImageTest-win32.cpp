#include "dialog/BmpImage-win32.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "dialog/BmpTestFiles.h"
#include "support/PaintCanvas.h"

namespace {

// Pixel (row in memory, column) of a 24-bit test bitmap `width` wide: its bytes, stored blue,
// green, red, are numbered along the rows.
COLORREF Numbered(int width, int row, int column) {
  const size_t at = row * bmp_test::RowStride(width, 24) + 3 * column;
  return RGB((at + 2) & 0xFF, (at + 1) & 0xFF, at & 0xFF);
}

// The area of 78 x 37 at (10, 5) shows a larger bitmap's lower-left corner (the first row in
// memory at the bottom), a smaller one at its top left with the face colour around it, a
// palette bitmap in its table's colours, and nothing without an image. Nothing is
// drawn outside the area.
TEST(BmpImageDrawTest, ALargerBitmapShowsItsLowerLeftCornerASmallerOneTheFaceAroundIt) {
  const COLORREF face = GetSysColor(COLOR_3DFACE), none = PaintCanvas::kUnpainted;
  const POINT outside[] = {{9, 5}, {88, 41}, {10, 4}, {10, 42}};
  const struct {
    std::vector<unsigned char> file;
    std::vector<std::tuple<int, int, COLORREF>> points;
  } cases[] = {
      {bmp_test::MakeBmp24(100, 50),
       {{10, 41, Numbered(100, 0, 0)}, {87, 5, Numbered(100, 36, 77)}}},
      {bmp_test::MakeBmp24(20, -10),  // top-down
       {{10, 5, Numbered(20, 0, 0)}, {29, 14, Numbered(20, 9, 19)}, {30, 5, face}, {10, 15, face}}},
      {bmp_test::MakeBmp8(78, 37),  // a grey ramp; rows of 80 bytes
       {{10, 41, RGB(0, 0, 0)}, {15, 41, RGB(5, 5, 5)}, {12, 40, RGB(82, 82, 82)}}},
      {{}, {{10, 5, none}, {87, 41, none}}},
  };
  for (const auto& c : cases) {
    PaintCanvas canvas(120, 60);
    BmpImage image;
    image.Parse(c.file.data(), c.file.size());
    DrawBmpImage(canvas.dc, image, 10, 5, 78, 37);
    for (const auto& [x, y, colour] : c.points) EXPECT_EQ(canvas.At(x, y), colour) << x << "," << y;
    for (POINT p : outside) EXPECT_EQ(canvas.At(p.x, p.y), none) << p.x << "," << p.y;
  }
}

}  // namespace
