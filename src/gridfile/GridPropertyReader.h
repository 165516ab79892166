#pragma once
// One property of a grid file read into memory on its own: the values of the other properties
// are passed over, so a picture or a text of one property never holds the whole file.

#include <cstddef>
#include <memory>
#include <string>

#include "grid/GridProperties.h"
#include "grid/Status.h"
#include "gridfile/GridFileHeader.h"
#include "gridfile/GridFileReader.h"

struct GridPropertyValues {
  GridFileHeader header;
  const GridProperty* property = nullptr;  // the property read
  std::unique_ptr<float[]> values;  // nx * nz values, row after row along X, as the file holds them
  std::size_t count = 0;
  Status status;
  bool ok() const { return status.ok(); }
};

// The `index`-th property's `count` values (every node's) from an open grid file into values,
// each in the host's byte order. Messages as GridFileInput::ReadData's.
Status ReadPropertyValues(const GridFileInput& file, std::size_t index, float* values,
                          std::size_t count);

// Reads one property of the grid file at path: `wanted`, or when null the file's first (Vp when
// it holds Vp). The file is opened as GridFileInput opens one, with its messages; and, naming the
// file as given:
//   "F holds no property Q (density): its properties are P (Vp) and R (Vs)."
//   "F holds no values: its sizes are nx=0, nz=3."
//   "Not enough memory to read the grid file F."
GridPropertyValues ReadGridProperty(const std::string& path, const GridProperty* wanted);
