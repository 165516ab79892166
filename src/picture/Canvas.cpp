#include "picture/Canvas.h"

#include <stb_easy_font.h>

#include <algorithm>
#include <cmath>
#include <new>

namespace {

// The font knows the printable ASCII characters only.
std::string Printable(const std::string& text) {
  std::string shown = text;
  for (char& c : shown) {
    if (c < 32 || c > 126) c = '?';
  }
  return shown;
}

// One vertex of the font's quads: x, y, z and a colour we do not use.
struct FontVertex {
  float x, y, z;
  unsigned char colour[4];
};

}  // namespace

bool Canvas::Allocate(std::int32_t width, std::int32_t height, Rgb background) {
  try {
    pixels_.assign(static_cast<std::size_t>(width) * height * 3, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  width_ = width;
  height_ = height;
  Fill(0, 0, width, height, background);
  return true;
}

void Canvas::Fill(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                  Rgb colour) {
  const std::int32_t left = std::max(x, 0), right = std::min(x + width, width_);
  const std::int32_t top = std::max(y, 0), bottom = std::min(y + height, height_);
  for (std::int32_t row = top; row < bottom; ++row) {
    std::uint8_t* pixel = &pixels_[(static_cast<std::size_t>(row) * width_ + left) * 3];
    for (std::int32_t column = left; column < right; ++column, pixel += 3) {
      pixel[0] = colour.r;
      pixel[1] = colour.g;
      pixel[2] = colour.b;
    }
  }
}

std::int32_t TextWidth(const std::string& text, std::int32_t size) {
  std::string shown = Printable(text);
  return stb_easy_font_width(shown.data()) * size;
}

std::int32_t TextHeight(std::int32_t size) { return 12 * size; }

void DrawText(Canvas& canvas, std::int32_t x, std::int32_t y, const std::string& text, Rgb colour,
              std::int32_t size) {
  std::string shown = Printable(text);
  // Room for 16 quads a character, more than the busiest character of the font needs.
  std::vector<FontVertex> quads(4 * 16 * (shown.size() + 1));
  const int count = stb_easy_font_print(0, 0, shown.data(), nullptr, quads.data(),
                                        static_cast<int>(quads.size() * sizeof(FontVertex)));
  for (int q = 0; q < count; ++q) {
    const FontVertex& corner = quads[4 * q];
    const FontVertex& opposite = quads[4 * q + 2];
    const auto at = [size](float font) {
      return static_cast<std::int32_t>(std::lround(font * size));
    };
    canvas.Fill(x + at(corner.x), y + at(corner.y), at(opposite.x) - at(corner.x),
                at(opposite.y) - at(corner.y), colour);
  }
}
