#include "picture/GridPicture.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "grid/NumberText.h"
#include "picture/AxisTicks.h"
#include "picture/ColourMap.h"
#include "picture/ColourRange.h"
#include "picture/PngEncoding.h"

namespace {

const Rgb kBackground{255, 255, 255};
const Rgb kInk{32, 32, 32};
const Rgb kNoValue{160, 160, 160};

// The value's colour, from 256 steps of the map: finer than the eye tells apart.
class ColourScale {
 public:
  explicit ColourScale(ValueRange range) : low_(range.minimum) {
    const double span = static_cast<double>(range.maximum) - range.minimum;
    perValue_ = span > 0 ? static_cast<float>(255 / span) : 0.0f;
    for (int i = 0; i < 256; ++i) steps_[i] = ViridisColour(i / 255.0);
  }
  Rgb Of(float value) const {
    if (std::isnan(value)) return kNoValue;
    const float t = perValue_ > 0 ? (value - low_) * perValue_ : 127.5f;
    return steps_[static_cast<int>(std::clamp(t, 0.0f, 255.0f) + 0.5f)];
  }
  Rgb AtFraction(double t) const { return steps_[static_cast<int>(std::lround(t * 255))]; }

 private:
  float low_, perValue_;
  Rgb steps_[256];
};

std::string NumberText(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// Sizes of the picture's parts, in pixels, for a font of `size` screen pixels a font pixel.
struct Metrics {
  explicit Metrics(std::int32_t size)
      : font(size),
        text(TextHeight(size)),
        margin(8 * size),
        gap(6 * size),
        tick(3 * size),
        barWidth(12 * size),
        barMinimumHeight(80 * size) {}
  std::int32_t font, text, margin, gap, tick, barWidth, barMinimumHeight;
};

// One axis of the grid's image: the labelled values in its unit, and where they fall.
struct Axis {
  double first = 0, last = 0;  // the window's first and last node, in the axis's unit
  double nodesPerUnit = 1;     // nodes of the grid a unit of the axis spans
  double firstNode = 0;        // the window's first node, counted from the grid's first
  double leastStep = 0;        // 1 for node numbers
  double offset = 0;           // node numbers count from 1
  std::string caption;
  AxisTicks ticks;

  // The pixel along the image of a value, at the centre of its node.
  double Pixel(double value, const AxisScale& scale) const {
    return (value * nodesPerUnit - offset - firstNode + 0.5) * scale.PixelsPerNode();
  }
  void Choose(const AxisScale& scale, double minimumGap) {
    ticks = ChooseAxisTicks(first, last, Pixel(last, scale) - Pixel(first, scale), minimumGap,
                            leastStep);
  }
  std::int32_t WidestLabel(std::int32_t font) const {
    std::int32_t widest = 0;
    for (const double value : ticks.values) {
      widest = std::max(widest, TextWidth(TickLabel(value, ticks.step), font));
    }
    return widest;
  }
};

// Distance and depth in m or km from the first node (its centre at 0), when the steps are known;
// column and row numbers from 1 otherwise.
void PlanAxes(const GridPictureRequest& request, const PictureWindow& window, Axis* x, Axis* z) {
  x->firstNode = window.x;
  z->firstNode = window.z;
  const bool steps = request.dx > 0 && request.dz > 0;
  if (!steps) {
    for (Axis* axis : {x, z}) {
      axis->leastStep = 1;
      axis->offset = 1;
    }
    x->first = window.x + 1.0;
    x->last = window.x + static_cast<double>(window.nx);
    z->first = window.z + 1.0;
    z->last = window.z + static_cast<double>(window.nz);
    x->caption = "column";
    z->caption = "row";
    return;
  }
  const double xLast = (window.x + window.nx - 1.0) * request.dx;
  const double zLast = (window.z + window.nz - 1.0) * request.dz;
  const double unit = DistanceUnitMetres(std::max(xLast, zLast));
  const std::string name = unit == 1 ? "m" : "km";
  x->nodesPerUnit = unit / request.dx;
  z->nodesPerUnit = unit / request.dz;
  x->first = window.x * request.dx / unit;
  x->last = xLast / unit;
  z->first = window.z * request.dz / unit;
  z->last = zLast / unit;
  x->caption = "distance (" + name + ")";
  z->caption = "depth (" + name + ")";
}

// The model's edges that lie inside the image, dashed in ink and white so that they show on every
// colour of the map, `thickness` pixels wide.
void MarkModelEdges(Canvas& canvas, const ModelEdges& model, const PictureWindow& window,
                    const PictureScale& scale, std::int32_t left, std::int32_t top,
                    std::int32_t thickness) {
  if (model.empty()) return;
  const auto pixel = [](double node, std::int32_t first, const AxisScale& axis) {
    return static_cast<std::int32_t>(std::lround((node - first) * axis.PixelsPerNode()));
  };
  const auto clamped = [](std::int32_t at, std::int32_t size) { return std::clamp(at, 0, size); };
  const std::int32_t x0 = pixel(model.left, window.x, scale.x);
  const std::int32_t x1 = pixel(model.right, window.x, scale.x);
  const std::int32_t z0 = pixel(model.top, window.z, scale.z);
  const std::int32_t z1 = pixel(model.bottom, window.z, scale.z);
  const std::int32_t dash = 4 * thickness;
  // Along X at row y, from column a to b; along Z alike.
  const auto across = [&](std::int32_t y, std::int32_t a, std::int32_t b) {
    for (std::int32_t x = a; x < b; x += dash) {
      canvas.Fill(left + x, top + y, std::min(dash, b - x), thickness,
                  (x / dash) % 2 == 0 ? kInk : kBackground);
    }
  };
  const auto down = [&](std::int32_t x, std::int32_t a, std::int32_t b) {
    for (std::int32_t y = a; y < b; y += dash) {
      canvas.Fill(left + x, top + y, thickness, std::min(dash, b - y),
                  (y / dash) % 2 == 0 ? kInk : kBackground);
    }
  };
  const std::int32_t a = clamped(x0, scale.x.size), b = clamped(x1, scale.x.size);
  const std::int32_t c = clamped(z0, scale.z.size), d = clamped(z1, scale.z.size);
  // A line on the image's own frame is no border: left out.
  if (x0 > 0 && x0 < scale.x.size) down(x0 - thickness / 2, c, d);
  if (x1 > 0 && x1 < scale.x.size) down(x1 - thickness / 2, c, d);
  if (z0 > 0 && z0 < scale.z.size) across(z0 - thickness / 2, a, b);
  if (z1 > 0 && z1 < scale.z.size) across(z1 - thickness / 2, a, b);
}

struct Layout {
  std::int32_t width = 0, height = 0;
  std::int32_t captionTop = 0, labelTop = 0, imageLeft = 0, imageTop = 0;
  std::int32_t barLeft = 0, barHeight = 0;
};

}  // namespace

GridCanvas DrawGridCanvas(const GridPictureRequest& request) {
  GridCanvas drawn;
  PictureWindow window = request.window;
  if (window.nx == 0 && window.nz == 0) window = {0, 0, request.nx, request.nz};
  if (request.values == nullptr || window.nx < 1 || window.nz < 1 || window.x < 0 || window.z < 0 ||
      window.x > request.nx - window.nx || window.z > request.nz - window.nz) {
    drawn.status = Status::Error("The part of the grid to draw lies outside the grid.");
    return drawn;
  }
  const GridView grid{request.values + static_cast<std::size_t>(window.z) * request.nx + window.x,
                      static_cast<std::size_t>(request.nx), window.nx, window.nz};

  // The colours, and whether any value lies beyond either end.
  const ValueRange finite = FiniteRange(grid);
  const ColourChoice& choice = request.colours;
  const ValueRange ends = choice.kind == ColourChoice::Kind::kGiven
                              ? ValueRange{choice.low, choice.high}
                          : choice.kind == ColourChoice::Kind::kClip
                              ? PercentileRange(grid, std::clamp(choice.percent, 0.0, 49.999))
                              : finite;
  const ColourScale colours(ends);
  // A float product, as the conversion writes each value: the ends are the products' ends.
  drawn.colours = {ends.minimum * request.factor, ends.maximum * request.factor};
  const std::string high =
      (finite.maximum > ends.maximum ? ">= " : "") + NumberText(drawn.colours.maximum);
  const std::string low =
      (finite.minimum < ends.minimum ? "<= " : "") + NumberText(drawn.colours.minimum);

  const bool fill = request.width > 0 && request.height > 0;
  const Metrics m(fill && request.width < 800 ? 1 : 2);
  Axis x, z;
  PlanAxes(request, window, &x, &z);
  const double dx = request.dx > 0 && request.dz > 0 ? request.dx : 1.0;
  const double dz = request.dx > 0 && request.dz > 0 ? request.dz : 1.0;

  // Top to bottom: title, captions, distance labels, ticks, the image; left to right: depth
  // labels, ticks, the image, the colour bar and its labels. The depth labels' width depends on
  // the ticks and they on the image's size: a second round when the first was too narrow.
  Layout layout;
  layout.captionTop = m.margin + m.text + m.gap;
  layout.labelTop = layout.captionTop + m.text + m.gap / 2;
  layout.imageTop = layout.labelTop + m.text + m.tick + m.font;
  const std::int32_t barLabels =
      std::max({TextWidth(high, m.font), TextWidth(low, m.font), TextWidth(request.unit, m.font)});
  const std::int32_t right = m.gap + m.barWidth + m.gap / 2 + barLabels + m.margin;
  const std::int32_t digit = TextWidth("0", m.font);
  std::int32_t labels = TextWidth(TickLabel(z.last, 1), m.font);
  for (int round = 0; round < 2; ++round) {
    layout.imageLeft = m.margin + labels + m.gap / 2 + m.tick + m.font;
    PictureRoom room;
    if (fill) {
      room.maximumWidth = std::max(16, request.width - layout.imageLeft - right);
      room.maximumHeight = std::max(16, request.height - layout.imageTop - m.margin);
      room.minimumWidth = room.maximumWidth;
      room.slack = 1.1;
    }
    drawn.scale = ChoosePictureScale(window.nx, window.nz, dx, dz, room);
    x.Choose(drawn.scale.x, TextWidth(TickLabel(x.last, 1), m.font) + 3 * digit);
    z.Choose(drawn.scale.z, 3 * m.text / 2);
    if (z.WidestLabel(m.font) <= labels) break;
    labels = z.WidestLabel(m.font);
  }
  const PictureScale& scale = drawn.scale;
  layout.barLeft = layout.imageLeft + scale.x.size + m.gap;
  layout.barHeight = std::max(scale.z.size, m.barMinimumHeight);
  const std::string lastLabel = TickLabel(x.ticks.values.back(), x.ticks.step);
  layout.width = std::max(
      {layout.barLeft + right - m.gap, 2 * m.margin + TextWidth(request.title, m.font),
       layout.imageLeft + static_cast<std::int32_t>(x.Pixel(x.ticks.values.back(), scale.x)) +
           TextWidth(lastLabel, m.font) / 2 + m.margin});
  layout.height = layout.imageTop + layout.barHeight + m.margin;
  if (fill) {
    layout.width = std::min(layout.width, request.width);
    layout.height = std::min(layout.height, request.height);
  }

  const auto outOfMemory = [&drawn] {
    drawn.status = Status::Error("Not enough memory to draw the picture.");
    return std::move(drawn);
  };
  Canvas& canvas = drawn.canvas;
  if (!canvas.Allocate(layout.width, layout.height, kBackground)) return outOfMemory();
  drawn.imageLeft = layout.imageLeft;
  drawn.imageTop = layout.imageTop;
  const std::int32_t shownWidth = std::min(scale.x.size, layout.width - layout.imageLeft);
  const std::int32_t shownHeight = std::min(scale.z.size, layout.height - layout.imageTop);
  const bool drawnAll = ResampleGrid(grid, scale, [&](std::int32_t y, const float* means) {
    if (y >= shownHeight) return;
    std::uint8_t* pixel = canvas.Row(layout.imageTop + y) + 3 * layout.imageLeft;
    for (std::int32_t i = 0; i < shownWidth; ++i, pixel += 3) {
      const Rgb colour = colours.Of(means[i]);
      pixel[0] = colour.r;
      pixel[1] = colour.g;
      pixel[2] = colour.b;
    }
  });
  if (!drawnAll) return outOfMemory();
  MarkModelEdges(canvas, request.model, window, scale, layout.imageLeft, layout.imageTop, m.font);

  // A frame around the image, ticks out of it and their labels.
  const std::int32_t f = m.font;
  const std::int32_t left = layout.imageLeft, top = layout.imageTop;
  canvas.Fill(left - f, top - f, scale.x.size + 2 * f, f, kInk);
  canvas.Fill(left - f, top + scale.z.size, scale.x.size + 2 * f, f, kInk);
  canvas.Fill(left - f, top, f, scale.z.size, kInk);
  canvas.Fill(left + scale.x.size, top, f, scale.z.size, kInk);
  for (const double value : x.ticks.values) {
    const std::int32_t at = left + static_cast<std::int32_t>(x.Pixel(value, scale.x));
    const std::string label = TickLabel(value, x.ticks.step);
    canvas.Fill(at - f / 2, top - f - m.tick, f, m.tick, kInk);
    DrawText(canvas, at - TextWidth(label, f) / 2, layout.labelTop, label, kInk, f);
  }
  for (const double value : z.ticks.values) {
    const std::int32_t at = top + static_cast<std::int32_t>(z.Pixel(value, scale.z));
    const std::string label = TickLabel(value, z.ticks.step);
    canvas.Fill(left - f - m.tick, at - f / 2, m.tick, f, kInk);
    // The font's digits stand in the upper 7 of its 12 rows: centred on the tick.
    DrawText(canvas, left - f - m.tick - m.gap / 2 - TextWidth(label, f), at - 7 * f / 2, label,
             kInk, f);
  }
  const std::int32_t depthCaption = TextWidth(z.caption, f);
  DrawText(canvas, m.margin, layout.captionTop, z.caption, kInk, f);
  DrawText(canvas,
           std::max(left + (scale.x.size - TextWidth(x.caption, f)) / 2,
                    m.margin + depthCaption + 2 * m.gap),
           layout.captionTop, x.caption, kInk, f);

  // The colour bar, its ends and unit.
  for (std::int32_t y = 0; y < layout.barHeight; ++y) {
    const double t =
        layout.barHeight == 1 ? 1.0 : 1.0 - static_cast<double>(y) / (layout.barHeight - 1);
    canvas.Fill(layout.barLeft, top + y, m.barWidth, 1, colours.AtFraction(t));
  }
  const std::int32_t labelLeft = layout.barLeft + m.barWidth + m.gap / 2;
  DrawText(canvas, labelLeft, top, high, kInk, f);
  DrawText(canvas, labelLeft, top + (layout.barHeight - m.text) / 2, request.unit, kInk, f);
  DrawText(canvas, labelLeft, top + layout.barHeight - m.text, low, kInk, f);
  DrawText(canvas, m.margin, m.margin, request.title, kInk, f);
  return drawn;
}

GridPicture DrawGridPicture(const GridPictureRequest& request) {
  GridPicture picture;
  const GridCanvas drawn = DrawGridCanvas(request);
  picture.scale = drawn.scale;
  picture.colours = drawn.colours;
  picture.status = drawn.status;
  if (!drawn.ok()) return picture;
  picture.width = drawn.canvas.Width();
  picture.height = drawn.canvas.Height();
  picture.png = EncodePng(drawn.canvas);
  if (picture.png.empty()) picture.status = Status::Error("Not enough memory to draw the picture.");
  return picture;
}

std::string GridSizeText(std::int32_t nx, std::int32_t nz) {
  return std::to_string(nx) + " x " + std::to_string(nz);
}

std::string GridStepsText(float dx, float dz) {
  return "dx " + FormatShortest(dx) + " m, dz " + FormatShortest(dz) + " m";
}
