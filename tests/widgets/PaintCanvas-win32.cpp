#include "widgets/PaintCanvas.h"

HFONT CrispFont() {
  static HFONT font =
      CreateFontA(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma");
  return font;
}

PaintCanvas::PaintCanvas(int width, int height) : width(width), height(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  dc = CreateCompatibleDC(nullptr);
  bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  previousBitmap = SelectObject(dc, bitmap);
  previousFont = SelectObject(dc, CrispFont());
  const DWORD unpainted =
      (GetRValue(kUnpainted) << 16) | (GetGValue(kUnpainted) << 8) | GetBValue(kUnpainted);
  for (int i = 0; i < width * height; ++i) bits[i] = unpainted;
}

PaintCanvas::~PaintCanvas() {
  SelectObject(dc, previousFont);
  SelectObject(dc, previousBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

COLORREF PaintCanvas::At(int x, int y) const {
  GdiFlush();
  const DWORD pixel = bits[y * width + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::set<std::pair<int, int>> PaintCanvas::PointsOf(COLORREF colour, int margin) const {
  std::set<std::pair<int, int>> points;
  for (int y = margin; y < height - margin; ++y) {
    for (int x = margin; x < width - margin; ++x) {
      if (At(x, y) == colour) points.insert({x, y});
    }
  }
  return points;
}
