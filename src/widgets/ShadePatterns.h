#pragma once

#include <cstdint>

#include "widgets/DibSurface.h"
#include "widgets/ShadeRandom.h"

// Pattern drawn into a generated button face. Values outside 1 to 8 give PlainGrain.
enum FaceKind : std::uint32_t {
  PlainGrain = 0,
  DiagonalRamp = 1,
  VerticalRamp = 2,
  HorizontalRamp = 3,
  VerticalCurve = 4,
  HorizontalCurve = 5,
  CornerCurve = 6,
  CapsuleCurve = 7,
  ScratchedRamp = 8,
};

// Draws the kind's pattern over the whole of an 8-bit face, as indices into the shadow
// (0) to face (128) to highlight (255) ramp, each pixel roughened by grain of strength
// `grain` drawn from `random` in the pattern's visiting order. Does nothing to a face
// without an image or not of 8 bits.
void DrawFacePattern(DibSurface& face, std::uint32_t kind, std::uint8_t grain, ShadeRandom& random);
