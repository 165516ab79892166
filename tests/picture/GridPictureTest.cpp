#include "picture/GridPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

// The grid's image, row after row.
std::vector<std::uint8_t> Image(const GridCanvas& drawn) {
  std::vector<std::uint8_t> pixels;
  for (std::int32_t y = 0; y < drawn.scale.z.size; ++y) {
    const std::uint8_t* row =
        drawn.canvas.Pixels() +
        3 * (static_cast<std::size_t>(drawn.imageTop + y) * drawn.canvas.Width() + drawn.imageLeft);
    pixels.insert(pixels.end(), row, row + 3 * drawn.scale.x.size);
  }
  return pixels;
}

// Velocities in km/s drawn with the factor of km/s: the colour bar's ends are the m/s the grid
// file will hold, the colours those of the values as they are.
TEST(GridPictureTest, AUnitsFactorGivesTheColourBarsEndsAndKeepsTheColours) {
  const std::vector<float> values = {1.5f, 2.25f, 3.0f, 4.5f, 2.0f, 3.5f};
  GridPictureRequest request;
  request.values = values.data();
  request.nx = 3;
  request.nz = 2;
  const GridCanvas asTheyAre = DrawGridCanvas(request);
  request.factor = 1000;
  const GridCanvas inMetres = DrawGridCanvas(request);
  ASSERT_TRUE(asTheyAre.ok() && inMetres.ok());
  EXPECT_EQ(inMetres.colours.minimum, 1500.0f);
  EXPECT_EQ(inMetres.colours.maximum, 4500.0f);
  EXPECT_EQ(Image(inMetres), Image(asTheyAre));
}

bool Marked(const Canvas& canvas, int x, int y) {
  const std::uint8_t* pixel =
      canvas.Pixels() + 3 * (static_cast<std::size_t>(y) * canvas.Width() + x);
  return pixel[0] != 255 || pixel[1] != 255 || pixel[2] != 255;
}

struct Box {
  int left = 0, top = 0, width = 0, height = 0;
};

// Where a text stands within a part of the picture, in the picture's font at either of its
// sizes: the first box it is found in, or an empty one.
Box FindText(const Canvas& picture, const std::string& text, const Box& part) {
  for (const int size : {1, 2}) {
    Canvas label;
    label.Allocate(TextWidth(text, size), TextHeight(size), Rgb{255, 255, 255});
    DrawText(label, 0, 0, text, Rgb{0, 0, 0}, size);
    const auto same = [&](int x, int y) {
      for (int j = 0; j < label.Height(); ++j) {
        for (int i = 0; i < label.Width(); ++i) {
          if (Marked(label, i, j) != Marked(picture, x + i, y + j)) return false;
        }
      }
      return true;
    };
    const int bottom = std::min(part.top + part.height, picture.Height());
    const int right = std::min(part.left + part.width, picture.Width());
    for (int y = std::max(part.top, 0); y + label.Height() <= bottom; ++y) {
      for (int x = std::max(part.left, 0); x + label.Width() <= right; ++x) {
        if (same(x, y)) return {x, y, label.Width(), label.Height()};
      }
    }
  }
  return {};
}

// The label of 1000 m stands beside the node 1000 m along: above it for distance, left of it for
// depth, each axis with its own step; the axes say their unit.
TEST(GridPictureTest, AxisLabelsStandBesideTheirNodes) {
  const std::vector<float> values(120 * 150, 1500.0f);
  GridPictureRequest request;
  request.values = values.data();
  request.nx = 120;
  request.nz = 150;
  request.dx = 20;
  request.dz = 10;
  const GridCanvas drawn = DrawGridCanvas(request);
  ASSERT_TRUE(drawn.ok());
  const int column = drawn.imageLeft + static_cast<int>(50.5 * drawn.scale.x.PixelsPerNode());
  const int row = drawn.imageTop + static_cast<int>(100.5 * drawn.scale.z.PixelsPerNode());
  const Box distance = FindText(drawn.canvas, "1000", {0, 0, drawn.canvas.Width(), drawn.imageTop});
  EXPECT_TRUE(distance.left <= column && column < distance.left + distance.width)
      << "the label of 1000 m at columns " << distance.left << " to "
      << distance.left + distance.width << ", the node at " << column;
  const Box depth = FindText(drawn.canvas, "1000",
                             {0, drawn.imageTop - 30, drawn.imageLeft, drawn.scale.z.size + 60});
  EXPECT_TRUE(depth.top <= row && row < depth.top + depth.height)
      << "the label of 1000 m at rows " << depth.top << " to " << depth.top + depth.height
      << ", the node at " << row;
  const Box whole{0, 0, drawn.canvas.Width(), drawn.canvas.Height()};
  for (const char* caption : {"distance (m)", "depth (m)"}) {
    EXPECT_GT(FindText(drawn.canvas, caption, whole).width, 0) << caption;
  }
}

// The font draws ASCII alone: a title's other letters show as their code points, of two, three
// or four bytes of UTF-8, to the end of the title, and bytes that are no UTF-8 (a lone byte, an
// overlong letter, DEL, a letter cut short) as their values, so that "Вп.txt" and "Во.txt" stay
// apart.
TEST(GridPictureTest, TitlesShowLettersBeyondAsciiByTheirCodePoints) {
  const float values[] = {1500, 1600, 1700, 1800};
  GridPictureRequest request;
  request.values = values;
  request.nx = request.nz = 2;
  request.title =
      "\xC2\x80\xDF\xBF \xE0\xA0\x80\xEF\xBF\xBD \xF0\x90\x80\x80\xF4\x8F\xBF\xBF "
      "\xFF\xC0\x80\xC1\x80\xF5\x80\x7F \xE2\x82 \xD0\x92";
  const GridCanvas drawn = DrawGridCanvas(request);
  const Box whole{0, 0, drawn.canvas.Width(), drawn.canvas.Height()};
  const std::string shown =
      "\\u0080\\u07FF \\u0800\\uFFFD \\u010000\\u10FFFF \\xFF\\xC0\\x80\\xC1\\x80\\xF5\\x80\\x7F "
      "\\xE2\\x82 \\u0412";
  EXPECT_GT(FindText(drawn.canvas, shown, whole).width, 0);
  // The last of ASCII, "~", is itself: a path from a home folder is not shown as "\\x7E/vp.txt".
  const auto pixels = [&request](const std::string& title) {
    request.title = title;
    const GridCanvas titled = DrawGridCanvas(request);
    return std::vector<std::uint8_t>(titled.canvas.Pixels(),
                                     titled.canvas.Pixels() + 3 * titled.canvas.Width() * 100);
  };
  EXPECT_NE(pixels("~/vp.txt"), pixels("\\x7E/vp.txt"));
}

// The colour bar spans the values of the part drawn, however narrow: its extremes in its last row
// and last column count, the nodes beside and below it do not, nor does an infinite value.
TEST(GridPictureTest, TheColourBarSpansTheValuesOfThePartDrawn) {
  const std::int32_t nx = 13, nz = 9;
  std::vector<float> values(static_cast<std::size_t>(nx) * nz, 1500.0f);
  const auto at = [&](std::int32_t x, std::int32_t z) -> float& { return values[z * nx + x]; };
  for (std::int32_t x = 0; x < nx; ++x) at(x, 6) = x % 2 ? 9e9f : -9e9f;   // the row below
  for (std::int32_t z = 0; z < nz; ++z) at(11, z) = z % 2 ? 9e9f : -9e9f;  // the column beside
  at(2, 5) = 1000.0f;
  at(10, 5) = 4000.0f;
  GridPictureRequest request;
  request.values = values.data();
  request.nx = nx;
  request.nz = nz;
  const struct {
    PictureWindow window;
    float low, high;
  } cases[] = {
      {{2, 1, 9, 5}, 1000.0f, 4000.0f},   // columns 2 to 10, rows 1 to 5
      {{10, 1, 1, 5}, 1500.0f, 4000.0f},  // column 10 alone
      {{2, 5, 9, 1}, 1000.0f, 4000.0f},   // row 5 alone
  };
  for (const auto& c : cases) {
    request.window = c.window;
    for (const bool clip : {false, true}) {
      for (const float other : {1500.0f, std::numeric_limits<float>::infinity()}) {
        at(10, 3) = other;
        request.colours.kind = clip ? ColourChoice::Kind::kClip : ColourChoice::Kind::kWhole;
        const GridCanvas drawn = DrawGridCanvas(request);
        EXPECT_TRUE(drawn.ok() && drawn.colours.minimum == c.low && drawn.colours.maximum == c.high)
            << c.window.nx << " x " << c.window.nz << ", "
            << (clip ? "the 0th to 100th percentile" : "the whole range") << ", " << other << ": "
            << drawn.colours.minimum << " to " << drawn.colours.maximum;
      }
    }
  }
  // The whole grid, its extremes in its last row.
  request.window = {};
  std::fill(values.begin(), values.end(), 1500.0f);
  at(0, nz - 1) = 1000.0f;
  at(nx - 1, nz - 1) = 4000.0f;
  const GridCanvas whole = DrawGridCanvas(request);
  EXPECT_TRUE(whole.colours.minimum == 1000.0f && whole.colours.maximum == 4000.0f);
}

// A model inside a border: its edges that lie inside the image are dashed, where the border
// begins; those on the image's frame (no border on that side) are not.
TEST(GridPictureTest, TheModelsEdgesInsideTheImageAreDashed) {
  const std::vector<float> values(10 * 10, 1.0f);
  GridPictureRequest request;
  request.values = values.data();
  request.nx = request.nz = 10;
  request.model = {2, 0, 8, 10};
  const GridCanvas drawn = DrawGridCanvas(request);
  ASSERT_TRUE(drawn.ok());
  const std::vector<std::uint8_t> image = Image(drawn);
  const std::int32_t width = drawn.scale.x.size;
  std::set<std::int32_t> marked;
  for (std::size_t i = 0; i < image.size(); i += 3) {
    if (!std::equal(&image[i], &image[i] + 3, &image[3 * (width / 2)])) {
      marked.insert(static_cast<std::int32_t>(i / 3 % width));
    }
  }
  const std::int32_t at2 = static_cast<std::int32_t>(2 * drawn.scale.x.PixelsPerNode());
  const std::int32_t at8 = static_cast<std::int32_t>(8 * drawn.scale.x.PixelsPerNode());
  EXPECT_TRUE(marked.count(at2) == 1 && marked.count(at8) == 1);
  for (const std::int32_t x : marked) {
    EXPECT_TRUE(std::abs(x - at2) <= 1 || std::abs(x - at8) <= 1) << x;
  }
}

}  // namespace

// Beside a tall image the colour bar is as tall as the image: from its top row to its last, and
// not a pixel below.
TEST(GridPictureTest, TheColourBarBesideATallImageEndsWithIt) {
  const std::int32_t nx = 3, nz = 300;
  std::vector<float> values(static_cast<std::size_t>(nx) * nz);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = 1000.0f + static_cast<float>(i);
  GridPictureRequest request;
  request.values = values.data();
  request.nx = nx;
  request.nz = nz;
  const GridCanvas drawn = DrawGridCanvas(request);
  ASSERT_TRUE(drawn.ok());
  const Canvas& canvas = drawn.canvas;
  const auto pixel = [&canvas](std::int32_t x, std::int32_t y) {
    const std::uint8_t* at =
        canvas.Pixels() + 3 * (static_cast<std::size_t>(y) * canvas.Width() + x);
    return std::vector<std::uint8_t>(at, at + 3);
  };
  const std::vector<std::uint8_t> paper = pixel(0, 0);
  // The bar: the first coloured column right of the image's frame, halfway down.
  const std::int32_t middle = drawn.imageTop + drawn.scale.z.size / 2;
  std::int32_t bar = drawn.imageLeft + drawn.scale.x.size;
  while (bar < canvas.Width() && pixel(bar, middle) != paper) ++bar;  // the frame
  while (bar < canvas.Width() && pixel(bar, middle) == paper) ++bar;
  ASSERT_LT(bar, canvas.Width());
  const std::int32_t bottom = drawn.imageTop + drawn.scale.z.size;
  ASSERT_LT(bottom, canvas.Height());
  EXPECT_NE(pixel(bar, drawn.imageTop), paper);
  EXPECT_NE(pixel(bar, bottom - 1), paper);
  EXPECT_EQ(pixel(bar, bottom), paper);
}
