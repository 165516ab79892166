#pragma once

#include <windows.h>

#include <set>
#include <utility>

// Captions in a font drawn without smoothing, so that text pixels have the text colour.
HFONT CrispFont();

// A 32-bit memory bitmap selected into its own device context (with CrispFont), first
// filled with a colour no drawing uses, for reading painted pixels back.
class PaintCanvas {
 public:
  static constexpr COLORREF kUnpainted = RGB(1, 2, 3);

  PaintCanvas(int width, int height);
  ~PaintCanvas();
  PaintCanvas(const PaintCanvas&) = delete;
  PaintCanvas& operator=(const PaintCanvas&) = delete;

  COLORREF At(int x, int y) const;
  // The points of the given colour, skipping `margin` pixels at every edge.
  std::set<std::pair<int, int>> PointsOf(COLORREF colour, int margin) const;

  const int width;
  const int height;
  HDC dc = nullptr;

 private:
  HBITMAP bitmap = nullptr;
  HGDIOBJ previousBitmap = nullptr;
  HGDIOBJ previousFont = nullptr;
  DWORD* bits = nullptr;
};
