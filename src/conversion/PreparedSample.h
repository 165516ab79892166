#pragma once
// One property of the model a request writes, made by the rows the export writes (PreparedRows),
// for a front end that shows the model before writing it: every node of the grid written, or,
// along an axis with more nodes than a picture can tell apart, every k-th node from the first.

#include <cstdint>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "conversion/PreparedShape.h"
#include "grid/GridProperties.h"
#include "grid/Status.h"

struct PreparedSample {
  PreparedShape shape;  // of the grid written
  // nx x nz values, row after row along X, as the grid file holds them (in m/s or kg/m3): value
  // (i, j) is node (i * xEvery, j * zEvery) of the grid written.
  std::vector<float> values;
  std::int32_t nx = 0, nz = 0;
  std::int32_t xEvery = 1, zEvery = 1;
  Status status;  // "Not enough memory to show the model." when it cannot be made
  bool ok() const { return status.ok(); }
};

// The property `kind` of the model `request` writes, at most `most` nodes (>= 1) along each axis.
// The request passed CheckModelRequest and makes the property (from its file or by a rule); only
// what the property needs is made (Vp too for a rule), and the export's memory is not needed.
PreparedSample SamplePreparedModel(const ConversionRequest& request, PropertyKind kind,
                                   std::int32_t most);
