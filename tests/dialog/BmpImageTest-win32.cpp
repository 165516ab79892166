#include "dialog/BmpImage-win32.h"

#include <gtest/gtest.h>

#include <vector>

#include "dialog/BmpTestFiles.h"

namespace {

constexpr COLORREF kUntouched = RGB(255, 0, 255);

// A 32-bit top-down memory surface to draw on and read back.
class Surface {
 public:
  Surface(int width, int height) : width(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(nullptr);
    bitmap =
        CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
    old = SelectObject(dc, bitmap);
    const RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(kUntouched);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  bool Ready() const { return dc != nullptr && bitmap != nullptr && pixels != nullptr; }

  COLORREF At(int x, int y) const {
    GdiFlush();
    const DWORD bgrx = pixels[y * width + x];
    return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
  }

  HDC dc = nullptr;

 private:
  int width;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  DWORD* pixels = nullptr;
};

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
  Surface surface(120, 60);
  ASSERT_TRUE(surface.Ready());
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
  Surface surface(120, 60);
  ASSERT_TRUE(surface.Ready());
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
  Surface surface(90, 40);
  ASSERT_TRUE(surface.Ready());
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
  Surface surface(90, 40);
  ASSERT_TRUE(surface.Ready());
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
