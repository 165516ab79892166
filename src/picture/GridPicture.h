#pragma once
// The picture of one property of a grid: a title line, the grid with X to the right and Z
// downwards in the viridis colour map, each node dx wide and dz tall, distance along the top and
// depth down the left (node numbers when the steps are not known), and a colour bar with its
// ends and unit beside it. Drawn into pixels for a window, or as a PNG for a file.

#include <cstdint>
#include <string>
#include <vector>

#include "grid/Status.h"
#include "grid/ValueRange.h"
#include "picture/Canvas.h"
#include "picture/PictureScale.h"

// The part of the grid to draw: columns x to x + nx - 1, rows z to z + nz - 1 (from 0). Sizes of
// 0 draw the whole grid.
struct PictureWindow {
  std::int32_t x = 0, z = 0, nx = 0, nz = 0;
};

// The values the colours span; values beyond take the colour of the nearer end.
struct ColourChoice {
  enum class Kind { kWhole, kGiven, kClip };
  Kind kind = Kind::kWhole;  // the least to the greatest finite value drawn
  float low = 0, high = 0;   // kGiven: low below high
  double percent = 0;        // kClip: the percent-th to (100 - percent)-th percentile, below 50
};

// A model inside a border of nodes repeating its edges: the columns and rows of the grid it
// spans, [left, right) and [top, bottom), in nodes from the grid's first (fractions where the grid
// drawn samples one of more nodes). A dashed line marks each of its edges that lies inside the
// image, where the model ends and the border begins. Empty (right <= left): nothing marked.
struct ModelEdges {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
};

struct GridPictureRequest {
  const float* values = nullptr;  // nx * nz values, row after row along X, the top row first
  std::int32_t nx = 0, nz = 0;
  PictureWindow window;
  float dx = 0, dz = 0;  // the steps in m; 0 when not known
  std::string title;     // the line above the grid
  std::string unit;      // written beside the colour bar, between its ends
  // The values are shown as value x factor (a unit's factor, as a conversion writes them): the
  // colour bar's ends are those of the products. The colour map is linear, so the colours are
  // the values' own; a given range (ColourChoice::kGiven) is in the values' own units.
  float factor = 1;
  ColourChoice colours;
  ModelEdges model;
  // The most pixels the whole picture may take, the grid as large as fits in it. 0 x 0: the
  // grid at whole pixels a node or whole blocks of nodes a pixel where the steps allow, at
  // least 600 pixels wide where that keeps it within 2000 on a side.
  std::int32_t width = 0, height = 0;
};

struct GridCanvas {
  Canvas canvas;
  std::int32_t imageLeft = 0, imageTop = 0;  // the grid's image, scale.x.size x scale.z.size
  PictureScale scale;                        // how the window's nodes became its pixels
  // The values of the map's ends, times the factor. Infinite values take the colour of the nearer
  // end, NaN a neutral grey.
  ValueRange colours{0, 0};
  Status status;  // "Not enough memory to draw the picture." when it cannot be drawn
  bool ok() const { return status.ok(); }
};

GridCanvas DrawGridCanvas(const GridPictureRequest& request);

struct GridPicture {
  std::vector<std::uint8_t> png;
  std::int32_t width = 0, height = 0;  // of the whole picture, in pixels
  PictureScale scale;
  ValueRange colours{0, 0};
  Status status;
  bool ok() const { return status.ok(); }
};

GridPicture DrawGridPicture(const GridPictureRequest& request);

// How titles name a grid's size and steps: "500 x 174", "dx 20 m, dz 20 m".
std::string GridSizeText(std::int32_t nx, std::int32_t nz);
std::string GridStepsText(float dx, float dz);
