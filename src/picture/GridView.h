#pragma once
// The nodes a picture shows: nx x nz values, row after row along X, each row `stride` values
// after the one above it (the grid's own nx when the view is a window of a wider grid).

#include <cstddef>
#include <cstdint>

struct GridView {
  const float* values = nullptr;  // the view's top left node
  std::size_t stride = 0;
  std::int32_t nx = 0, nz = 0;
  const float* Row(std::int32_t z) const { return values + static_cast<std::size_t>(z) * stride; }
};
