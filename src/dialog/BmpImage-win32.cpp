#include "dialog/BmpImage-win32.h"

namespace {

void FillFace(HDC dc, int left, int top, int right, int bottom) {
  if (left >= right || top >= bottom) return;
  const RECT rect{left, top, right, bottom};
  FillRect(dc, &rect, GetSysColorBrush(COLOR_3DFACE));
}

}  // namespace

void DrawBmpImage(HDC dc, const BmpImage& image, int x, int y, int width, int height) {
  const BmpDrawnSize drawn = DrawnSize(image, width, height);
  if (dc == nullptr || drawn.width == 0 || drawn.height == 0) return;
  // Source and destination sizes are equal: a plain 1:1 copy of the bitmap's first rows.
  StretchDIBits(dc, x, y, drawn.width, drawn.height, 0, 0, drawn.width, drawn.height, image.Bits(),
                reinterpret_cast<const BITMAPINFO*>(image.Block()), DIB_RGB_COLORS, SRCCOPY);
  FillFace(dc, x + drawn.width, y, x + width, y + height);
  FillFace(dc, x, y + drawn.height, x + drawn.width, y + height);
}

void DrawBmpImageOnWindow(HWND window, const BmpImage& image, int x, int y, int width, int height) {
  if (window == nullptr || !image.HasData()) return;
  HDC dc = GetDC(window);
  if (dc == nullptr) return;
  DrawBmpImage(dc, image, x, y, width, height);
  ReleaseDC(window, dc);
}
