#include "dialog/WindowPlacement.h"

#include <algorithm>

ScreenRect PlaceBeside(const ScreenRect& other, const ScreenRect& area, int width, int height) {
  width = std::min(width, area.Width());
  height = std::min(height, area.Height());
  const int right = area.right - other.right, left = other.left - area.left;
  int x = other.right;
  if (right < width && left >= width) {
    x = other.left - width;
  } else if (right < width) {
    const double scale = std::max(static_cast<double>(right) / width, 0.5);
    width = static_cast<int>(width * scale);
    height = static_cast<int>(height * scale);
    x = area.right - width;
  }
  const int y = std::clamp(other.top, area.top, area.bottom - height);
  return {x, y, x + width, y + height};
}
