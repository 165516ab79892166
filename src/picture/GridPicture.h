#pragma once
// The picture of one property of a grid, as a PNG: a title line, the grid with X to the right and
// Z downwards in the viridis colour map, and a colour bar with the minimum, maximum and unit
// written beside it.

#include <cstdint>
#include <string>
#include <vector>

#include "grid/Status.h"

#include "picture/PictureScale.h"

struct GridPictureRequest {
  const float* values = nullptr;  // nx * nz values, row after row along X, the top row first
  std::int32_t nx = 0, nz = 0;    // both at least 1
  std::string title;              // the line above the grid
  std::string unit;               // written beside the colour bar, between its ends
};

struct GridPicture {
  std::vector<std::uint8_t> png;
  std::int32_t width = 0, height = 0;  // of the whole picture, in pixels
  PictureScale scale;                  // how the grid's nodes became pixels
  // The range the colours span: the least and greatest finite value of the grid (averaging never
  // leaves it). Infinite values take the colour of the nearer end, NaN a neutral grey.
  float minimum = 0, maximum = 0;
  Status status;  // "Not enough memory to draw the picture." when it cannot be drawn
  bool ok() const { return status.ok(); }
};

GridPicture DrawGridPicture(const GridPictureRequest& request);
