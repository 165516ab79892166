// Drawing a BmpImage on a Win32 device context.
#pragma once

#include <windows.h>

#include "dialog/BmpImage.h"

// Draws `image` 1:1 with its origin at (x, y) in an area of width x height pixels: the first
// width x height pixels in memory order (the lower-left corner of a bottom-up bitmap), never
// more than the bitmap has. Where a smaller bitmap leaves the area uncovered, the dialog face
// colour shows, so no trace of an earlier, larger image stays. An image without data draws
// nothing.
void DrawBmpImage(HDC dc, const BmpImage& image, int x, int y, int width, int height);

// The same through a device context of the window's client area: drawn at once, outside the
// paint cycle.
void DrawBmpImageOnWindow(HWND window, const BmpImage& image, int x, int y, int width, int height);
