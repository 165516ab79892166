#pragma once
// The picture being drawn: RGB pixels, three bytes each, row after row from the top.

#include <cstdint>
#include <string>
#include <vector>

#include "picture/ColourMap.h"

class Canvas {
 public:
  // False when the pixels cannot be allocated.
  bool Allocate(std::int32_t width, std::int32_t height, Rgb background);
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  const std::uint8_t* Pixels() const { return pixels_.data(); }
  // The pixels of row y, for drawing a whole row at once.
  std::uint8_t* Row(std::int32_t y) { return &pixels_[static_cast<std::size_t>(y) * width_ * 3]; }

  // Fills the rectangle, clipped to the canvas.
  void Fill(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, Rgb colour);

 private:
  std::int32_t width_ = 0, height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

// Labels in a small built-in bitmap font (ASCII; any other letter shows as its code point,
// "\u041C"; a byte that is no UTF-8 as "\xFF"), each font pixel
// drawn as a square of `size` pixels; (x, y) is the top left corner of the text.
std::int32_t TextWidth(const std::string& text, std::int32_t size);
std::int32_t TextHeight(std::int32_t size);
void DrawText(Canvas& canvas, std::int32_t x, std::int32_t y, const std::string& text, Rgb colour,
              std::int32_t size);
