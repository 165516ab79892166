#include <windows.h>

#include <gtest/gtest.h>

#include "widgets/DibSurface.h"
#include "widgets/PaintCanvas.h"

namespace {

// A 3 x 2 picture: red, green, blue on top; white, black, grey below.
void MakeSmallPicture(DibSurface& surface) {
  ASSERT_NE(surface.Allocate(3, 2, 8), nullptr);
  surface.PutPaletteColour(1, 255, 0, 0);
  surface.PutPaletteColour(2, 0, 255, 0);
  surface.PutPaletteColour(3, 0, 0, 255);
  surface.PutPaletteColour(4, 255, 255, 255);
  surface.PutPaletteColour(5, 0, 0, 0);
  surface.PutPaletteColour(6, 128, 128, 128);
  for (int x = 0; x < 3; ++x) {
    surface.PutPixel(x, 0, static_cast<std::uint8_t>(1 + x));
    surface.PutPixel(x, 1, static_cast<std::uint8_t>(4 + x));
  }
}

TEST(DibSurfacePaintTest, PaintsOneToOneWithTheTopRowAtTheGivenPointClipped) {
  DibSurface surface;
  MakeSmallPicture(surface);
  PaintCanvas canvas(10, 10);
  EXPECT_TRUE(surface.Paint(canvas.dc, 5, 7));
  EXPECT_EQ(canvas.At(5, 7), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(6, 7), RGB(0, 255, 0));
  EXPECT_EQ(canvas.At(7, 7), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(5, 8), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(6, 8), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(7, 8), RGB(128, 128, 128));
  // Nothing around it is touched.
  EXPECT_EQ(canvas.PointsOf(PaintCanvas::kUnpainted, 0).size(), 100u - 6u);

  PaintCanvas small(4, 4);  // partly outside: clipped
  EXPECT_TRUE(surface.Paint(small.dc, -1, 3));
  EXPECT_EQ(small.At(0, 3), RGB(0, 255, 0));
  EXPECT_EQ(small.At(1, 3), RGB(0, 0, 255));
  EXPECT_EQ(small.At(2, 3), PaintCanvas::kUnpainted);
}

TEST(DibSurfacePaintTest, TrueColourPicturesPaintTheirOwnBytes) {
  DibSurface surface;
  ASSERT_NE(surface.Allocate(2, 1, 32), nullptr);
  std::uint8_t* pixels = surface.PixelData();
  const std::uint8_t bgr[] = {10, 20, 30, 40, 50, 60};
  for (int i = 0; i < 6; ++i) pixels[i] = bgr[i];
  PaintCanvas canvas(2, 1);
  EXPECT_TRUE(surface.Paint(canvas.dc, 0, 0));
  EXPECT_EQ(canvas.At(0, 0), RGB(30, 20, 10));
  EXPECT_EQ(canvas.At(1, 0), RGB(60, 50, 40));
}

TEST(DibSurfacePaintTest, NothingIsPaintedWithoutAnImageOrAContext) {
  PaintCanvas canvas(4, 4);
  DibSurface empty;
  EXPECT_FALSE(empty.Paint(canvas.dc, 0, 0));
  DibSurface surface;
  MakeSmallPicture(surface);
  EXPECT_FALSE(surface.Paint(nullptr, 0, 0));

  DibSurface flat;
  ASSERT_NE(flat.Allocate(0, 3, 8), nullptr);
  EXPECT_TRUE(flat.Paint(canvas.dc, 0, 0));
  EXPECT_EQ(canvas.PointsOf(PaintCanvas::kUnpainted, 0).size(), 16u);
}

}  // namespace
