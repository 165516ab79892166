#pragma once
// Where a window opens beside another: to its right (where the dialog shows its picture), to its
// left when only there the screen has room for it; without room on either side, as large as the
// room on the right allows down to half its size, against the screen's right edge, over the other
// window's right part. Its top is the other's, as far as the screen allows.

// A rectangle in screen pixels, right and bottom outside.
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// A window of width x height opening beside `other`, within the screen's work area `area`.
ScreenRect PlaceBeside(const ScreenRect& other, const ScreenRect& area, int width, int height);
