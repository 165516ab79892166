#include "widgets/ShadePatterns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// A face of the size drawn with the kind from a fresh generator.
struct Drawn {
  DibSurface face;
  Drawn(int width, int height, std::uint32_t kind, std::uint8_t grain) {
    face.Allocate(width, height, 8);
    ShadeRandom random;
    DrawFacePattern(face, kind, grain, random);
  }
  // r counts rows from the bottom, as the patterns do.
  int At(int r, int c) const { return face.PixelAt(c, face.Height() - 1 - r); }
};

std::vector<std::uint8_t> PixelBytes(const DibSurface& face) {
  const std::uint8_t* pixels = face.PixelData();
  return std::vector<std::uint8_t>(pixels, pixels + face.Header().biSizeImage);
}

// Every pixel within the grain of its base value.
void ExpectWithinGrain(const Drawn& drawn, int r, int c, int base, int grain) {
  EXPECT_GE(drawn.At(r, c), base - grain) << "row " << r << " column " << c;
  EXPECT_LE(drawn.At(r, c), base + grain) << "row " << r << " column " << c;
}

TEST(ShadePatternsTest, VerticalCurveOnAFace35HighHasTheWorkedRowBases) {
  Drawn drawn(21, 35, VerticalCurve, 8);
  const int bases[][2] = {{0, 11}, {17, 128}, {34, 226}};
  for (const auto& rowBase : bases) {
    for (int c = 0; c < 21; ++c) ExpectWithinGrain(drawn, rowBase[0], c, rowBase[1], 8);
  }
}

TEST(ShadePatternsTest, HorizontalRampOnAFace80WideHasTheWorkedColumnBases) {
  Drawn drawn(80, 9, HorizontalRamp, 8);
  const int bases[][2] = {{0, 247}, {1, 244}, {40, 127}, {79, 10}};
  for (const auto& columnBase : bases) {
    for (int r = 0; r < 9; ++r) ExpectWithinGrain(drawn, r, columnBase[0], columnBase[1], 8);
  }
}

TEST(ShadePatternsTest, GrainOfEightSpansMinusEightToEightAroundTheFaceTone) {
  Drawn drawn(120, 90, PlainGrain, 8);
  int lowest = 255;
  int highest = 0;
  for (int r = 0; r < 90; ++r) {
    for (int c = 0; c < 120; ++c) {
      lowest = std::min(lowest, drawn.At(r, c));
      highest = std::max(highest, drawn.At(r, c));
    }
  }
  EXPECT_EQ(lowest, 120);
  EXPECT_EQ(highest, 136);
}

TEST(ShadePatternsTest, KindsOutsideOneToEightArePlainGrain) {
  const Drawn plain(17, 13, PlainGrain, 8);
  for (std::uint32_t kind : {9u, 10u, 255u, 0xFFFFFFFFu}) {
    const Drawn other(17, 13, kind, 8);
    EXPECT_EQ(PixelBytes(other.face), PixelBytes(plain.face)) << kind;
  }
}

TEST(ShadePatternsTest, GrainZeroDrawsThePlainPatterns) {
  // Each ramp and curve is then the same along its rows or columns.
  const Drawn vertical(30, 20, VerticalRamp, 0);
  const Drawn verticalCurve(30, 20, VerticalCurve, 0);
  const Drawn horizontal(30, 20, HorizontalRamp, 0);
  const Drawn horizontalCurve(30, 20, HorizontalCurve, 0);
  const Drawn plain(30, 20, PlainGrain, 0);
  for (int r = 0; r < 20; ++r) {
    for (int c = 0; c < 30; ++c) {
      EXPECT_EQ(vertical.At(r, c), vertical.At(r, 0));
      EXPECT_EQ(verticalCurve.At(r, c), verticalCurve.At(r, 0));
      EXPECT_EQ(horizontal.At(r, c), horizontal.At(0, c));
      EXPECT_EQ(horizontalCurve.At(r, c), horizontalCurve.At(0, c));
      EXPECT_EQ(plain.At(r, c), 128);
    }
  }
  EXPECT_EQ(vertical.At(0, 0), 0);     // (255 x 0) / 20
  EXPECT_EQ(vertical.At(19, 0), 242);  // (255 x 19) / 20
  EXPECT_EQ(horizontal.At(0, 0), 255);
  EXPECT_EQ(horizontalCurve.At(0, 0), 0);  // 128 + 128 = 256 stored modulo 256
}

TEST(ShadePatternsTest, RampsAndCurvesWithGrainEightNeverWrap) {
  // Bases stay within 8 to 247, so with grain every pixel stays within 0 to 255 unwrapped:
  // a wrapped pixel would sit far from its neighbours.
  for (std::uint32_t kind :
       {DiagonalRamp, VerticalRamp, HorizontalRamp, VerticalCurve, CornerCurve}) {
    const Drawn drawn(75, 41, kind, 8);
    for (int r = 0; r < 41; ++r) {
      for (int c = 1; c < 75; ++c) {
        ASSERT_LE(std::abs(drawn.At(r, c) - drawn.At(r, c - 1)), 16 + 8)
            << "kind " << kind << " row " << r << " column " << c;
      }
    }
  }
}

TEST(ShadePatternsTest, DiagonalCornerAndCapsuleKindsHaveTheirWorkedValues) {
  const Drawn diagonal(60, 30, DiagonalRamp, 0);  // lightest top left, darkest bottom right
  EXPECT_EQ(diagonal.At(29, 0), 249);             // D = 127: 127 + (127 x 29) / 30
  EXPECT_EQ(diagonal.At(0, 59), 2);
  const Drawn corner(40, 40, CornerCurve, 0);  // held inside the grain margin
  EXPECT_EQ(corner.At(39, 0), 255);            // 128 + 128 + 108, held at 255 - 0
  EXPECT_EQ(corner.At(0, 39), 0);              // held at 0
  const Drawn grained(40, 40, CornerCurve, 20);
  ExpectWithinGrain(grained, 39, 0, 235, 20);
  ExpectWithinGrain(grained, 0, 39, 20, 20);
  const Drawn capsule(96, 24, CapsuleCurve, 0);  // cap radius 16; light left, dark right
  EXPECT_EQ(capsule.At(12, 0), 255);             // (255 - 0) - 0
  EXPECT_EQ(capsule.At(12, 95), 8);              // 128 x 1 / 16
  EXPECT_EQ(capsule.At(12, 48), 128);            // no cap in the middle
}

TEST(ShadePatternsTest, CapsuleCurveWithoutRoomForCapsStillDraws) {
  // One pixel high: no caps; five wide: no cap radius. Neither divides by zero.
  const Drawn flat(30, 1, CapsuleCurve, 8);
  ExpectWithinGrain(flat, 0, 0, 19, 8);  // 128 + (-125 x 56 x 2) / 128
  const Drawn narrow(5, 10, CapsuleCurve, 0);
  EXPECT_EQ(narrow.At(5, 0), 128);
}

TEST(ShadePatternsTest, ScratchedRampStaysBelow254ForGrainEight) {
  const Drawn drawn(70, 25, ScratchedRamp, 8);
  int highest = 0;
  for (int r = 0; r < 25; ++r) {
    for (int c = 0; c < 70; ++c) highest = std::max(highest, drawn.At(r, c));
  }
  EXPECT_LE(highest, 253);
  EXPECT_GT(highest, 200);
}

TEST(ShadePatternsTest, EmptyTinyAndTrueColourFacesOfEveryKindStayInsideTheirPixels) {
  // Sizes 0 and 1 in each direction exercise every edge of the formulas.
  for (std::uint32_t kind = 0; kind <= 9; ++kind) {
    for (auto size : {std::pair<int, int>{0, 7}, {7, 0}, {1, 1}, {1, 9}, {9, 1}, {6, 3}}) {
      Drawn drawn(size.first, size.second, kind, 255);
      EXPECT_TRUE(drawn.face.HasImage());
    }
  }
  DibSurface none;
  ShadeRandom random;
  DrawFacePattern(none, VerticalCurve, 8, random);
  EXPECT_FALSE(none.HasImage());
  DibSurface trueColour;
  trueColour.Allocate(4, 4, 24);
  const auto before = PixelBytes(trueColour);
  DrawFacePattern(trueColour, VerticalCurve, 8, random);
  EXPECT_EQ(PixelBytes(trueColour), before);
}

TEST(ShadePatternsTest, ScratchedRampOnAFaceWiderThanTheRandomRangeStillDraws) {
  // 32767 / 40000 would be a step of 0 for the stroke positions.
  const Drawn drawn(40000, 2, ScratchedRamp, 8);
  EXPECT_LE(drawn.At(1, 0), 253);
  EXPECT_LE(drawn.At(0, 39999), 16 + 40);
}

TEST(ShadePatternsTest, SuccessiveFacesFromOneGeneratorGetDifferentGrain) {
  ShadeRandom random;
  DibSurface first;
  DibSurface second;
  first.Allocate(20, 10, 8);
  second.Allocate(20, 10, 8);
  DrawFacePattern(first, VerticalCurve, 8, random);
  DrawFacePattern(second, VerticalCurve, 8, random);
  EXPECT_NE(PixelBytes(first), PixelBytes(second));
  const Drawn again(20, 10, VerticalCurve, 8);  // a new run: the first face again
  EXPECT_EQ(PixelBytes(again.face), PixelBytes(first));
}

}  // namespace
