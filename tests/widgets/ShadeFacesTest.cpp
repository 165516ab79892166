#include "widgets/ShadeFaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

int Lightness(std::uint32_t colour) {
  return (colour & 0xFF) + (colour >> 8 & 0xFF) + (colour >> 16 & 0xFF);
}

// The classic grey scheme, and the conversion dialog's OK button (a blue tint). Colours are
// 0xBBGGRR.
const ButtonColours kGreys = {0x808080, 0xC0C0C0, 0xFFFFFF};
const FaceStyle kOkStyle = {VerticalCurve, 8, 20, 5, 0xFF3737};

// A button's faces from a fresh generator, its focus mark inset 4.
struct Generated {
  ShadeFaces faces;
  Generated(int width, int height, const FaceStyle& style = kOkStyle) {
    ShadeRandom random;
    GenerateShadeFaces(width, height, 4, kGreys, style, random, faces);
  }
};

// A face drawn with the kind from a fresh generator; y counts from the top.
struct Drawn {
  DibSurface face;
  Drawn(int width, int height, std::uint32_t kind, std::uint8_t grain) {
    face.Allocate(width, height, 8);
    ShadeRandom random;
    DrawFacePattern(face, kind, grain, random);
  }
  int At(int x, int y) const { return face.PixelAt(x, y); }
};

std::vector<std::uint8_t> BlockBytes(const DibSurface& surface) {
  return std::vector<std::uint8_t>(surface.Block(), surface.Block() + surface.BlockSize());
}
std::vector<std::uint8_t> PixelBytes(const DibSurface& surface) {
  return std::vector<std::uint8_t>(surface.PixelData(),
                                   surface.PixelData() + surface.Header().biSizeImage);
}

// Every kind on sizes at each edge of the patterns' arithmetic (empty, one pixel, wider than
// the generator's range, smaller than the focus mark, negative), grain at both ends: nothing
// outside a surface is touched (the sanitizer build sees it) and nothing divides by zero.
TEST(ShadeFacesTest, EdgeSizesOfEveryKindStayInsideTheirSurfaces) {
  for (std::uint32_t kind = 0; kind <= 9; ++kind) {
    for (auto size : {std::pair<int, int>{0, 7}, {7, 0}, {1, 1}, {1, 9}, {9, 1}, {5, 10}}) {
      for (std::uint8_t grain : {0, 255}) Drawn(size.first, size.second, kind, grain);
    }
  }
  const Drawn wide(40000, 2, ScratchedRamp, 8);
  EXPECT_GT(wide.At(0, 0), wide.At(39999, 1));  // light at the left still
  for (auto size : {std::pair<int, int>{0, 0}, {0, 8}, {9, 0}, {7, 7}, {1, 1}, {-5, 5}})
    Generated(size.first, size.second);
}

// What the user sees of each shade: light at one side, dark at the other, and grain that
// roughens it without wrapping round to the other end of the ramp (a dark dot in a light
// area would jump by about 200 from its neighbours).
TEST(ShadeFacesTest, ShadesRunFromTheirLightSideToTheirDarkSideWithoutWrapping) {
  constexpr int kWidth = 75, kHeight = 41;
  struct Case {
    std::uint32_t kind;
    int lightX, lightY, darkX, darkY;
    int largestStep;  // between neighbours in a row: the grain's span, or strokes' edges
  };
  const Case cases[] = {
      {DiagonalRamp, 0, 0, kWidth - 1, kHeight - 1, 24},
      {VerticalRamp, 37, 0, 37, kHeight - 1, 24},
      {HorizontalRamp, 0, 20, kWidth - 1, 20, 24},
      {VerticalCurve, 37, 0, 37, kHeight - 1, 24},
      {CornerCurve, 0, 0, kWidth - 1, kHeight - 1, 24},
      {CapsuleCurve, 0, 20, kWidth - 1, 20, 255},  // its caps have edges
      {ScratchedRamp, 0, 0, kWidth - 1, kHeight - 1, 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const Drawn drawn(kWidth, kHeight, c.kind, 8);
    EXPECT_GT(drawn.At(c.lightX, c.lightY), drawn.At(c.darkX, c.darkY) + 100);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 1; x < kWidth; ++x) {
        ASSERT_LE(std::abs(drawn.At(x, y) - drawn.At(x - 1, y)), c.largestStep) << x << "," << y;
      }
    }
  }
}

// Grain of strength 8 spans 8 around the face tone; kinds outside 1 to 8 are plain grain.
// Faces drawn one after the other get different grain, and each run of the program the same.
TEST(ShadeFacesTest, GrainSpansItsStrengthDiffersBetweenFacesAndRepeatsEveryRun) {
  const auto plain = PixelBytes(Drawn(120, 41, PlainGrain, 8).face);
  EXPECT_EQ(*std::min_element(plain.begin(), plain.end()), 128 - 8);
  EXPECT_EQ(*std::max_element(plain.begin(), plain.end()), 128 + 8);
  for (std::uint32_t kind : {9u, 0xFFFFFFFFu})
    EXPECT_EQ(PixelBytes(Drawn(120, 41, kind, 8).face), plain);
  ShadeRandom random;  // one generator for two faces: the second is drawn over the first
  DibSurface second;
  second.Allocate(120, 41, 8);
  DrawFacePattern(second, PlainGrain, 8, random);
  DrawFacePattern(second, PlainGrain, 8, random);
  EXPECT_NE(PixelBytes(second), plain);
}

// The colours run from the system's shadow through its face to its highlight. Disabled shows
// the normal face, pressed the hover one: the normal picture in colours moved toward the
// highlight. The tint moves every face toward its colour; the focus lines keep the plain ones.
TEST(ShadeFacesTest, ColoursFollowTheSystemsAndHoverAndPressedAreLighter) {
  const Generated untinted(30, 20, {VerticalCurve, 8, 20, 0, 0});
  const ShadeFaces& faces = untinted.faces;
  EXPECT_EQ(faces.normalFace.PaletteColour(0), kGreys.shadow);
  EXPECT_EQ(faces.normalFace.PaletteColour(128), kGreys.face);
  EXPECT_EQ(faces.normalFace.PaletteColour(255), kGreys.highlight);
  EXPECT_EQ(BlockBytes(faces.disabledFace), BlockBytes(faces.normalFace));
  EXPECT_EQ(BlockBytes(faces.pressedFace), BlockBytes(faces.hoverFace));
  EXPECT_EQ(PixelBytes(faces.hoverFace), PixelBytes(faces.normalFace));
  EXPECT_GT(Lightness(faces.hoverFace.PaletteColour(128)), Lightness(kGreys.face));
  for (int i = 0; i < 255; ++i) {
    const int normal = Lightness(faces.normalFace.PaletteColour(static_cast<std::uint8_t>(i)));
    EXPECT_GE(Lightness(faces.hoverFace.PaletteColour(static_cast<std::uint8_t>(i))), normal) << i;
    EXPECT_LE(normal, Lightness(faces.normalFace.PaletteColour(static_cast<std::uint8_t>(i + 1))));
  }
  const Generated tinted(30, 20);
  const std::uint32_t face = tinted.faces.normalFace.PaletteColour(128);
  EXPECT_GT(face >> 16 & 0xFF, face & 0xFF);  // bluer than the grey face
  EXPECT_EQ(tinted.faces.focusLineH.PaletteColour(128), kGreys.face);
}

// The focus mark's dotted lines, shadow first, close the frame inset 4 from the edges: across
// from the pixel after the left line to the right line, down between top and bottom.
TEST(ShadeFacesTest, FocusLinesAreDottedAndCloseTheFrame) {
  const Generated generated(20, 15);
  const ShadeFaces& faces = generated.faces;
  ASSERT_EQ(faces.focusLineH.Width(), 20 - 4 - 4 - 1);
  ASSERT_EQ(faces.focusLineV.Height(), 15 - 4 - 4);
  for (int x = 0; x < faces.focusLineH.Width(); ++x) {
    EXPECT_EQ(faces.focusLineH.PixelAt(x, 0), x % 2 == 0 ? 0 : 255) << x;
  }
  for (int y = 0; y < faces.focusLineV.Height(); ++y) {  // shadow at the bottom
    EXPECT_EQ(faces.focusLineV.PixelAt(0, y), (6 - y) % 2 == 0 ? 0 : 255) << y;
  }
}

}  // namespace
