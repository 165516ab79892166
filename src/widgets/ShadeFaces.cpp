#include "widgets/ShadeFaces.h"

#include <algorithm>

namespace {

struct Rgb {
  int red, green, blue;
};

Rgb Split(std::uint32_t colour) {
  return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
          static_cast<int>((colour >> 16) & 0xFF)};
}

void PutMix(DibSurface& surface, int index, const Rgb& a, int aWeight, const Rgb& b, int bWeight) {
  surface.PutPaletteColour(static_cast<std::uint8_t>(index),
                           static_cast<std::uint8_t>((a.red * aWeight + b.red * bWeight) / 128),
                           static_cast<std::uint8_t>((a.green * aWeight + b.green * bWeight) / 128),
                           static_cast<std::uint8_t>((a.blue * aWeight + b.blue * bWeight) / 128));
}

// Alternating shadow (0) and highlight (255) pixels along a line one pixel thick, starting
// with shadow at the first stored pixel: the left end of a horizontal line, the bottom of a
// vertical one.
void WriteDottedLine(DibSurface& line) {
  if (!line.HasImage()) return;
  const std::int32_t width = line.Width();
  const std::int32_t height = line.Height();
  for (std::int32_t c = 0; c < width; ++c) {
    for (std::int32_t k = 0; k < height; ++k) {
      const bool odd = (c + k) % 2 == 1;  // one of the two is always 0
      line.PutPixel(c, height - 1 - k, odd ? 255 : 0);
    }
  }
}

}  // namespace

void WriteColourRamp(DibSurface& surface, const ButtonColours& colours) {
  const Rgb shadow = Split(colours.shadow);
  const Rgb face = Split(colours.face);
  const Rgb highlight = Split(colours.highlight);
  for (int k = 0; k <= 128; ++k) PutMix(surface, k, shadow, 128 - k, face, k);
  // Entry 128 is written again: the face tone itself is not in the table.
  for (int k = 128; k <= 255; ++k) PutMix(surface, k, face, 255 - k, highlight, k - 127);
}

void GenerateShadeFaces(std::int32_t width, std::int32_t height, std::int16_t focusInset,
                        const ButtonColours& colours, const FaceStyle& style, ShadeRandom& random,
                        ShadeFaces& faces) {
  const std::int64_t inset = focusInset;
  const auto lineLength = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::int64_t{width} - 2 * inset - 1, 1, INT32_MAX));
  const auto lineHeight = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::int64_t{height} - 2 * inset, 1, INT32_MAX));
  faces.focusLineH.Allocate(lineLength, 1, 8);
  faces.focusLineV.Allocate(1, lineHeight, 8);
  faces.normalFace.Allocate(width, height, 8);

  WriteColourRamp(faces.normalFace, colours);
  WriteColourRamp(faces.focusLineH, colours);
  WriteColourRamp(faces.focusLineV, colours);
  faces.normalFace.TintPalette(style.tintColour, style.tintPercent);

  WriteDottedLine(faces.focusLineH);
  WriteDottedLine(faces.focusLineV);

  DrawFacePattern(faces.normalFace, style.kind, style.grain, random);

  faces.disabledFace.CopyFrom(faces.normalFace);
  faces.hoverFace.CopyFrom(faces.normalFace);
  faces.hoverFace.TintPalette(colours.highlight, style.hoverPercent);
  faces.pressedFace.CopyFrom(faces.hoverFace);
}
