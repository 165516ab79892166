#include "widgets/ShadeFaces.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t Rgb(int red, int green, int blue) {
  return static_cast<std::uint32_t>(red | green << 8 | blue << 16);
}

// The classic grey scheme: shadow (128, 128, 128), face (192, 192, 192), highlight white.
const ButtonColours kGreys = {Rgb(128, 128, 128), Rgb(192, 192, 192), Rgb(255, 255, 255)};
// The conversion dialog's OK button.
const FaceStyle kOkStyle = {VerticalCurve, 8, 20, 5, Rgb(55, 55, 255)};

struct Generated {
  ShadeFaces faces;
  Generated(int width, int height, const FaceStyle& style, const ButtonColours& colours = kGreys) {
    ShadeRandom random;
    GenerateShadeFaces(width, height, 4, colours, style, random, faces);
  }
};

std::vector<std::uint8_t> BlockBytes(const DibSurface& surface) {
  if (!surface.HasImage()) return {};
  return std::vector<std::uint8_t>(surface.Block(), surface.Block() + surface.BlockSize());
}

std::uint64_t Checksum(const DibSurface& surface) {
  std::uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a over the whole block
  for (std::uint8_t byte : BlockBytes(surface)) hash = (hash ^ byte) * 0x100000001b3u;
  return hash;
}

TEST(ShadeFacesTest, TheRampRunsFromShadowThroughFaceToHighlight) {
  DibSurface surface;
  surface.Allocate(1, 1, 8);
  WriteColourRamp(surface, kGreys);
  EXPECT_EQ(surface.PaletteColour(0), Rgb(128, 128, 128));
  EXPECT_EQ(surface.PaletteColour(64), Rgb(160, 160, 160));
  EXPECT_EQ(surface.PaletteColour(128), Rgb(192, 192, 192));
  EXPECT_EQ(surface.PaletteColour(255), Rgb(255, 255, 255));
  // Entry 128 is (127 F + L) / 128 per component: the face itself is not in the table.
  WriteColourRamp(surface, {Rgb(0, 0, 0), Rgb(100, 0, 0), Rgb(228, 128, 255)});
  EXPECT_EQ(surface.PaletteColour(128), Rgb(101, 1, 1));
  EXPECT_EQ(surface.PaletteColour(127), Rgb(99, 0, 0));
}

TEST(ShadeFacesTest, FacesGetTheWorkedTintAndHoverColours) {
  Generated generated(30, 20, kOkStyle);
  const ShadeFaces& faces = generated.faces;
  EXPECT_EQ(faces.normalFace.PaletteColour(128), Rgb(185, 185, 195));
  EXPECT_EQ(faces.normalFace.PaletteColour(255), Rgb(245, 245, 255));
  EXPECT_EQ(faces.hoverFace.PaletteColour(128), Rgb(199, 199, 207));
  // The focus lines keep the plain ramp.
  EXPECT_EQ(faces.focusLineH.PaletteColour(128), Rgb(192, 192, 192));
  EXPECT_EQ(faces.focusLineV.PaletteColour(0), Rgb(128, 128, 128));
}

TEST(ShadeFacesTest, FocusLinesAlternateShadowAndHighlightStartingWithShadow) {
  Generated generated(20, 15, kOkStyle);
  const DibSurface& across = generated.faces.focusLineH;
  ASSERT_EQ(across.Width(), 11);  // 20 - 2 x 4 - 1
  ASSERT_EQ(across.Height(), 1);
  for (int c = 0; c < 11; ++c) EXPECT_EQ(across.PixelAt(c, 0), c % 2 == 0 ? 0 : 255) << c;

  const DibSurface& down = generated.faces.focusLineV;
  ASSERT_EQ(down.Width(), 1);
  ASSERT_EQ(down.Height(), 7);  // 15 - 2 x 4
  // Stored row k = 0 is the bottom pixel.
  for (int k = 0; k < 7; ++k) EXPECT_EQ(down.PixelData()[k * 4], k % 2 == 0 ? 0 : 255) << k;
}

TEST(ShadeFacesTest, PercentsAtTheirLimits) {
  FaceStyle style = kOkStyle;
  style.hoverPercent = 0;  // hover and pressed equal to normal
  Generated noHover(25, 12, style);
  EXPECT_EQ(BlockBytes(noHover.faces.hoverFace), BlockBytes(noHover.faces.normalFace));
  EXPECT_EQ(BlockBytes(noHover.faces.pressedFace), BlockBytes(noHover.faces.normalFace));

  style.hoverPercent = 200;  // acts as 100
  Generated fullHover(25, 12, style);
  style = kOkStyle;
  style.tintPercent = 0;  // the plain ramp
  Generated noTint(25, 12, style);
  DibSurface ramp;
  ramp.Allocate(1, 1, 8);
  WriteColourRamp(ramp, kGreys);
  for (int i = 0; i < 256; ++i) {
    const auto index = static_cast<std::uint8_t>(i);
    EXPECT_EQ(fullHover.faces.hoverFace.PaletteColour(index), kGreys.highlight) << i;
    EXPECT_EQ(noTint.faces.normalFace.PaletteColour(index), ramp.PaletteColour(index)) << i;
  }
}

TEST(ShadeFacesTest, EachCallRebuildsEverySurfaceForTheNewSize) {
  ShadeFaces faces;
  ShadeRandom random;
  GenerateShadeFaces(40, 30, 4, kGreys, kOkStyle, random, faces);
  GenerateShadeFaces(12, 9, 4, kGreys, {CornerCurve, 8, 20, 5, 0}, random, faces);
  EXPECT_EQ(faces.normalFace.Width(), 12);
  EXPECT_EQ(faces.pressedFace.Height(), 9);
  EXPECT_EQ(faces.disabledFace.Width(), 12);
  EXPECT_EQ(faces.focusLineH.Width(), 3);
  EXPECT_EQ(faces.focusLineV.Height(), 1);
}

TEST(ShadeFacesTest, EmptyTinyAndNegativeSizesStayInsideTheirSurfaces) {
  // Width or height 0: empty pictures, focus lines 1 pixel long. Smaller than twice the
  // inset: the lines' lengths would be 0 or negative, so they are 1.
  for (auto size : {std::pair<int, int>{0, 0}, {0, 8}, {9, 0}, {7, 7}, {1, 1}, {9, 8}}) {
    Generated generated(size.first, size.second, kOkStyle);
    const ShadeFaces& faces = generated.faces;
    EXPECT_EQ(faces.focusLineH.Width(), 1);
    EXPECT_EQ(faces.focusLineV.Height(), 1);
    EXPECT_EQ(faces.focusLineH.PixelAt(0, 0), 0);
    EXPECT_EQ(faces.normalFace.Width(), size.first);
    EXPECT_EQ(faces.hoverFace.Height(), size.second);
  }
  Generated negative(-5, 20, kOkStyle);
  for (const DibSurface* face : {&negative.faces.normalFace, &negative.faces.hoverFace,
                                 &negative.faces.pressedFace, &negative.faces.disabledFace}) {
    EXPECT_FALSE(face->HasImage());
  }
}

TEST(ShadeFacesTest, GoldenChecksumsOfEveryKind) {
  // Six surfaces per kind on a 61 x 23 button: any change to a pattern, its grain order or
  // the colour tables shows here. Disabled is the normal face, pressed the hover face.
  const std::uint64_t golden[][2] = {
      {0xc7358a1bff58390b, 0x2509d3217766c0f5},
      {0x4fec2daa02b598f6, 0xddf143344926c6d8},
      {0xabfbff628a4bbb4d, 0x83a5a51148954b6b},
      {0xe74ed92a8dcc5d06, 0xb595a1892bfe93b8},
      {0xa09e8220daf68630, 0xb8354d0ef54173f6},
      {0x7778d16bda075a87, 0x0fd4d76bb244f789},
      {0xfbc4a92f4f5afd02, 0xc2fb2fad613dff4c},
      {0xe668ebd9ed99874f, 0x7518338a0134e6ad},
      {0x417ac6a37be708a5, 0xac98b00b37d5a55f},
      {0xc7358a1bff58390b, 0x2509d3217766c0f5},  // 9: plain grain
  };
  for (std::uint32_t kind = 0; kind <= 9; ++kind) {
    FaceStyle style = kOkStyle;
    style.kind = kind;
    Generated generated(61, 23, style);
    const ShadeFaces& faces = generated.faces;
    EXPECT_EQ(Checksum(faces.normalFace), golden[kind][0]) << "kind " << kind;
    EXPECT_EQ(Checksum(faces.disabledFace), golden[kind][0]) << "kind " << kind;
    EXPECT_EQ(Checksum(faces.hoverFace), golden[kind][1]) << "kind " << kind;
    EXPECT_EQ(Checksum(faces.pressedFace), golden[kind][1]) << "kind " << kind;
    EXPECT_EQ(Checksum(faces.focusLineH), 0xd99a7726684fb96du) << "kind " << kind;
    EXPECT_EQ(Checksum(faces.focusLineV), 0xeb9408ae6f8e5229u) << "kind " << kind;
  }
}

}  // namespace
