#include "picture/Canvas.h"

#include <stb_easy_font.h>

#include <algorithm>
#include <cmath>
#include <new>

namespace {

// The font knows the printable ASCII characters only: any other letter is shown by its code
// point ("\u041C" for a Cyrillic capital M), a byte that is no UTF-8 by its value ("\xFF").
std::string Printable(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead >= 32 && lead <= 126) {
      shown += static_cast<char>(lead);
      ++i;
      continue;
    }
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 1;
    std::uint32_t codePoint = length == 1 ? lead : lead & (0x3Fu >> (length - 1));
    bool whole = length > 1 && i + length <= text.size();
    for (std::size_t k = 1; whole && k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      whole = (next & 0xC0) == 0x80;
      codePoint = codePoint << 6 | (next & 0x3Fu);
    }
    if (!whole) {
      shown += std::string("\\x") + kHex[lead >> 4] + kHex[lead & 15];
      ++i;
      continue;
    }
    shown += "\\u";
    for (int shift = codePoint > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) {
      shown += kHex[(codePoint >> shift) & 15];
    }
    i += length;
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
