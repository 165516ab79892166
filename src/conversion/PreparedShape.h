#pragma once
// The grid a conversion writes: the window, at new steps when asked, with a border.

#include <cstdint>

#include "conversion/ConversionRequest.h"

// One axis of the window at a new step.
struct AxisResampling {
  std::int64_t count = 0;  // nodes along the axis at the new step
  // k > 0: the new step is k times the old one and node i is the window's node k * i, copied
  // exactly (plain decimation); 0: node i lies at the window's node i * ratio, interpolated.
  std::int32_t every = 1;
  double ratio = 1.0;  // new step / old step
};

// The n nodes of an axis at oldStep, at newStep: floor((n - 1) * oldStep / newStep) + 1 nodes, so
// that the new axis starts at the same node and never reaches beyond the old one. A new step
// within 2^-20 of a whole multiple of the old one (decimal steps are not exact in float32) is that
// multiple. Both steps above 0.
AxisResampling ResampleAxis(std::int32_t n, float oldStep, float newStep);

struct PreparedShape {
  std::int64_t nx = 0, nz = 0;  // of the grid written, border included
  float xStep = 1.0f, zStep = 1.0f;
  AxisResampling x, z;  // the window along X and Z at the steps written, border excluded
};

// The shape of what the request writes. Its steps and sizes as CheckConversionRequest checks them.
PreparedShape PreparedShapeOf(const ConversionRequest& request);

// The grid file a request writes: its nodes along X and Z (border included), the properties it
// holds (those loaded and those derived) and its length in bytes, header included. For a request
// CheckModelPreparation passed, so that the bytes fit in 64 bits.
struct WrittenGrid {
  std::int64_t nx = 0, nz = 0;
  std::uint64_t properties = 0, bytes = 0;
};
WrittenGrid WrittenGridOf(const ConversionRequest& request);

// Whether the request asks for nothing beyond a window: no hole to fill, no rule, no new steps, no
// border. Such a window is written from the arrays as they are.
bool IsPlainWindow(const ConversionRequest& request);
