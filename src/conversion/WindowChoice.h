#pragma once
// The part of the grid to write as every front end takes it by name: x-from and z-from, its first
// node, and nx-write and nz-write, its sizes; by default the rest of the rows and columns from
// its first node on.

#include <cstdint>

#include "conversion/NamedChoices.h"
#include "grid/Status.h"
#include "gridfile/GridExport.h"

struct WindowStart {
  bool hasXFrom = false, hasZFrom = false;
  std::int32_t xFrom = 0, zFrom = 0;
};

struct WindowChoice {
  WindowStart start;  // taken with the preparation (TakePreparationOptions)
  bool hasNxWrite = false, hasNzWrite = false;
  std::int32_t nxWrite = 0, nzWrite = 0;
};

// nx-write and nz-write into choice; refused with the problem.
Status TakeWindowSizes(const NamedChoices& named, WindowChoice& choice);

// The window on a grid of `count` values, nxInput x nzInput, at the steps given.
GridWindow WindowOf(std::uint32_t count, std::int32_t nxInput, std::int32_t nzInput,
                    const WindowChoice& choice, float xStep, float zStep);
