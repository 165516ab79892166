#pragma once
// How a grid's nodes become pixels, each node drawn dx wide and dz tall (square when the steps
// are not known). Where the steps allow, whole numbers: a node enlarged to whole pixels along an
// axis, or whole blocks of nodes averaged into a pixel; otherwise the grid is resampled, each
// pixel the mean of the area it covers.

#include <cstdint>
#include <functional>

#include "picture/GridView.h"

// The grid's image within a picture of mvgtool's sizes: at least about this wide, at most this
// long on a side.
inline constexpr std::int32_t kPictureMinimumWidth = 600;
inline constexpr std::int32_t kPictureMaximumSide = 2000;

// One axis: `nodes` nodes along it span `pixels` pixels, the pixels start where the first node
// does, and the image is `size` pixels long. A whole enlargement e is 1 : e, a whole block b is
// b : 1 (the last pixel cut short where the grid ends); any other ratio is a resampling.
struct AxisScale {
  std::int64_t nodes = 1, pixels = 1;
  std::int32_t size = 0;
  bool Whole() const { return nodes == 1 || pixels == 1; }
  double PixelsPerNode() const { return static_cast<double>(pixels) / nodes; }
};

struct PictureScale {
  AxisScale x, z;
  bool Whole() const { return x.Whole() && z.Whole(); }
};

// The room for the grid's image: its sides at most maximum; a pixel a node along the finer step,
// or enlarged to minimumWidth where that keeps within them. Whole numbers are taken down to
// 1/slack of that size.
struct PictureRoom {
  std::int32_t minimumWidth = kPictureMinimumWidth;
  std::int32_t maximumWidth = kPictureMaximumSide, maximumHeight = kPictureMaximumSide;
  double slack = 2;
};

// For nx, nz >= 1 and steps dx, dz > 0 (1 and 1 when not known). The largest picture within the
// room at whole numbers; a resampling of the room's size when no whole numbers give one within
// the slack.
PictureScale ChoosePictureScale(std::int32_t nx, std::int32_t nz, double dx, double dz,
                                const PictureRoom& room = {});

// The image's pixel rows, each as the means of its pixels, handed to row(y, means) from two
// threads at once (each row once). A pixel smaller than a node along an axis takes the node under
// its centre; a larger one the mean of the nodes it covers, each weighted by the part of it
// covered. NaN values are left out of a mean; a pixel over NaN alone gets NaN. Beside the picture
// it needs a few hundred KiB, however large the grid. False when there is not enough memory.
using PixelRowSink = std::function<void(std::int32_t y, const float* means)>;
bool ResampleGrid(const GridView& grid, const PictureScale& scale, const PixelRowSink& row);
