#include "picture/GridPicture.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "grid/ValueRange.h"
#include "picture/Canvas.h"
#include "picture/ColourMap.h"
#include "picture/PngEncoding.h"

namespace {

constexpr std::int32_t kMargin = 16;
constexpr std::int32_t kGap = 12;
constexpr std::int32_t kFontSize = 2;  // screen pixels a font pixel
constexpr std::int32_t kBarWidth = 24;
constexpr std::int32_t kBarMinimumHeight = 160;  // room for three labels beside a flat grid
const Rgb kBackground{255, 255, 255};
const Rgb kInk{32, 32, 32};
const Rgb kNoValue{160, 160, 160};

// The least and greatest finite value; 0 to 0 when there is none.
ValueRange FiniteRange(const float* values, std::size_t count) {
  ValueRange range = FindValueRange(values, count);  // NaN passed over
  if (std::isinf(range.minimum) || std::isinf(range.maximum)) {
    // Rare: an infinite value, or no number at all. Again, without the infinite values.
    range = {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
    for (std::size_t i = 0; i < count; ++i) {
      if (!std::isfinite(values[i])) continue;
      range.minimum = std::min(range.minimum, values[i]);
      range.maximum = std::max(range.maximum, values[i]);
    }
  }
  return range.minimum <= range.maximum ? range : ValueRange{0, 0};
}

// The value's colour, from 256 steps of the map: finer than the eye tells apart.
class ColourScale {
 public:
  explicit ColourScale(ValueRange range) : range_(range) {
    for (int i = 0; i < 256; ++i) steps_[i] = ViridisColour(i / 255.0);
  }
  Rgb Of(float value) const {
    if (std::isnan(value)) return kNoValue;
    const double span = static_cast<double>(range_.maximum) - range_.minimum;
    const double t = span > 0 ? (value - static_cast<double>(range_.minimum)) / span : 0.5;
    return steps_[static_cast<int>(std::lround(std::clamp(t, 0.0, 1.0) * 255))];
  }
  Rgb AtFraction(double t) const { return steps_[static_cast<int>(std::lround(t * 255))]; }

 private:
  ValueRange range_;
  Rgb steps_[256];
};

std::string NumberText(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

void Put(std::uint8_t* pixel, Rgb colour) {
  pixel[0] = colour.r;
  pixel[1] = colour.g;
  pixel[2] = colour.b;
}

// Each pixel row of the image from its row of averages or of nodes, each node enlarge pixels wide.
void DrawGrid(Canvas& canvas, std::int32_t left, std::int32_t top, const float* pixelValues,
              std::int32_t columns, const PictureScale& scale, const ColourScale& colours) {
  for (std::int32_t y = 0; y < scale.height; ++y) {
    const float* row = pixelValues + static_cast<std::size_t>(y / scale.enlarge) * columns;
    std::uint8_t* pixel = canvas.Row(top + y) + 3 * left;
    if (y % scale.enlarge != 0) {
      std::copy(pixel - 3 * canvas.Width(), pixel - 3 * canvas.Width() + 3 * scale.width, pixel);
      continue;
    }
    for (std::int32_t column = 0; column < columns; ++column) {
      const Rgb colour = colours.Of(row[column]);
      for (std::int32_t i = 0; i < scale.enlarge; ++i, pixel += 3) Put(pixel, colour);
    }
  }
}

}  // namespace

GridPicture DrawGridPicture(const GridPictureRequest& request) {
  GridPicture picture;
  picture.scale = ChoosePictureScale(request.nx, request.nz);
  const PictureScale& scale = picture.scale;
  const std::size_t count = static_cast<std::size_t>(request.nx) * request.nz;
  const ValueRange range = FiniteRange(request.values, count);
  picture.minimum = range.minimum;
  picture.maximum = range.maximum;
  const ColourScale colours(range);

  const std::string high = NumberText(range.maximum), low = NumberText(range.minimum);
  const std::int32_t textHeight = TextHeight(kFontSize);
  const std::int32_t labelWidth = std::max(
      {TextWidth(high, kFontSize), TextWidth(low, kFontSize), TextWidth(request.unit, kFontSize)});
  const std::int32_t top = kMargin + textHeight + kGap;
  const std::int32_t barLeft = kMargin + scale.width + kGap;
  const std::int32_t labelLeft = barLeft + kBarWidth + kGap / 2;
  const std::int32_t barHeight = std::max(scale.height, kBarMinimumHeight);
  picture.width =
      std::max(labelLeft + labelWidth + kMargin, 2 * kMargin + TextWidth(request.title, kFontSize));
  picture.height = top + barHeight + kMargin;

  const auto outOfMemory = [&picture] {
    picture.status = Status::Error("Not enough memory to draw the picture.");
    return picture;
  };
  std::vector<float> averages;
  if (scale.block > 1) {
    averages = AverageBlocks(request.values, request.nx, request.nz, scale.block);
    if (averages.empty()) return outOfMemory();
  }
  Canvas canvas;
  if (!canvas.Allocate(picture.width, picture.height, kBackground)) return outOfMemory();
  if (scale.block > 1) {
    DrawGrid(canvas, kMargin, top, averages.data(), scale.width, scale, colours);
  } else {
    DrawGrid(canvas, kMargin, top, request.values, request.nx, scale, colours);
  }
  for (std::int32_t y = 0; y < barHeight; ++y) {
    const double t = barHeight == 1 ? 1.0 : 1.0 - static_cast<double>(y) / (barHeight - 1);
    canvas.Fill(barLeft, top + y, kBarWidth, 1, colours.AtFraction(t));
  }
  DrawText(canvas, kMargin, kMargin, request.title, kInk, kFontSize);
  DrawText(canvas, labelLeft, top, high, kInk, kFontSize);
  DrawText(canvas, labelLeft, top + (barHeight - textHeight) / 2, request.unit, kInk, kFontSize);
  DrawText(canvas, labelLeft, top + barHeight - textHeight, low, kInk, kFontSize);

  picture.png = EncodePng(canvas);
  if (picture.png.empty()) return outOfMemory();
  return picture;
}
