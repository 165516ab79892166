#pragma once
// How a grid's nodes become pixels: small grids are enlarged by whole pixels so the picture is
// wide enough to see, large ones reduced by averaging square blocks of nodes so it stays of
// ordinary size whatever the grid.

#include <cstdint>
#include <vector>

inline constexpr std::int32_t kPictureMinimumWidth = 600;  // enlarged up to at least this
inline constexpr std::int32_t kPictureMaximumSide = 2000;  // reduced down to at most this

struct PictureScale {
  std::int32_t block = 1;              // nodes along each side of a pixel (reduction)
  std::int32_t enlarge = 1;            // pixels along each side of a node (enlargement)
  std::int32_t width = 0, height = 0;  // the grid's image in pixels
};

// For nx, nz >= 1. Only one of block and enlarge is above 1. A grid whose longer side exceeds
// the maximum is reduced by the smallest block that brings it within; otherwise each node becomes
// the largest square that keeps both sides within the maximum, up to the one that reaches the
// minimum width.
PictureScale ChoosePictureScale(std::int32_t nx, std::int32_t nz);

// The mean of each block x block square of nodes (the last row and column of squares may be
// cut short by the grid's edge), ceil(nx / block) per row. NaN values are left out of a mean;
// a square of NaN alone gives NaN. Beside the means it needs a few hundred KiB, however wide the
// grid. Empty when there is not enough memory.
std::vector<float> AverageBlocks(const float* values, std::int32_t nx, std::int32_t nz,
                                 std::int32_t block);
