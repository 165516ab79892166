#pragma once

#include <cstdint>

#include "widgets/DibSurface.h"
#include "widgets/ShadePatterns.h"
#include "widgets/ShadeRandom.h"

// The system's three button colours, as COLORREFs.
struct ButtonColours {
  std::uint32_t shadow;     // COLOR_BTNSHADOW
  std::uint32_t face;       // COLOR_BTNFACE
  std::uint32_t highlight;  // COLOR_BTNHIGHLIGHT
};

// How a button's faces are generated.
struct FaceStyle {
  std::uint32_t kind;         // a FaceKind
  std::uint8_t grain;         // grain strength, also the margin kept from both ramp ends
  std::uint8_t hoverPercent;  // hover and pressed tables toward the highlight colour
  std::uint8_t tintPercent;   // every face's table toward tintColour
  std::uint32_t tintColour;   // COLORREF
};

// A button's generated look: four faces sharing one picture, and the focus mark's lines.
struct ShadeFaces {
  DibSurface normalFace;
  DibSurface pressedFace;   // the hover picture
  DibSurface disabledFace;  // the normal picture
  DibSurface hoverFace;
  DibSurface focusLineH;  // top and bottom of the focus mark
  DibSurface focusLineV;  // left and right of the focus mark
};

// Rebuilds all six surfaces for a button of width x height pixels whose focus mark sits
// focusInset in from its edges. A surface that cannot be allocated stays empty.
void GenerateShadeFaces(std::int32_t width, std::int32_t height, std::int16_t focusInset,
                        const ButtonColours& colours, const FaceStyle& style, ShadeRandom& random,
                        ShadeFaces& faces);

// Writes the 256-entry shadow-face-highlight ramp into a surface's colour table.
void WriteColourRamp(DibSurface& surface, const ButtonColours& colours);
