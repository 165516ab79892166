// A memory canvas for tests that read painted pixels back (widgets, dialog pictures).
#pragma once

#include <windows.h>

#include <set>
#include <utility>

// Captions in a font drawn without smoothing, so that text pixels have the text colour.
inline HFONT CrispFont() {
  static HFONT font =
      CreateFontA(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma");
  return font;
}

// A 32-bit top-down memory bitmap selected into its own device context (with CrispFont),
// first filled with a colour no drawing uses.
class PaintCanvas {
 public:
  static constexpr COLORREF kUnpainted = RGB(1, 2, 3);

  PaintCanvas(int width, int height) : width(width), height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc = CreateCompatibleDC(nullptr);
    bitmap =
        CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    previousBitmap = SelectObject(dc, bitmap);
    previousFont = SelectObject(dc, CrispFont());
    for (int i = 0; i < width * height; ++i) bits[i] = 0x010203;  // kUnpainted as stored
  }
  ~PaintCanvas() {
    SelectObject(dc, previousFont);
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  PaintCanvas(const PaintCanvas&) = delete;
  PaintCanvas& operator=(const PaintCanvas&) = delete;

  COLORREF At(int x, int y) const {
    GdiFlush();
    const DWORD pixel = bits[y * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }
  // The points of the given colour, skipping `margin` pixels at every edge.
  std::set<std::pair<int, int>> PointsOf(COLORREF colour, int margin) const {
    std::set<std::pair<int, int>> points;
    for (int y = margin; y < height - margin; ++y) {
      for (int x = margin; x < width - margin; ++x) {
        if (At(x, y) == colour) points.insert({x, y});
      }
    }
    return points;
  }

  const int width;
  const int height;
  HDC dc = nullptr;

 private:
  HBITMAP bitmap = nullptr;
  HGDIOBJ previousBitmap = nullptr;
  HGDIOBJ previousFont = nullptr;
  DWORD* bits = nullptr;
};
