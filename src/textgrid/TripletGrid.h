#pragma once
// x z value triplets: a line a node, its x, its z and its value, in any order. The distinct
// coordinates must form a complete regular grid with each node once; x grows to the right; z is a
// depth, the top row at the least z, unless it is an elevation (named so, or wholly at or below 0),
// the top row at the greatest. A header row may name the columns, in any order. The text holds
// three values a node: they are put into the grid's order in their own memory.

#include <cstdint>
#include <string>
#include <vector>

#include "grid/Status.h"
#include "textgrid/CommaReading.h"
#include "textgrid/FormCoordinates.h"
#include "textgrid/TextGridForm.h"

// Which column of a triplet holds what (from 0), and what the header calls the vertical one.
struct TripletColumns {
  int x = 0, z = 1, value = 2;
  VerticalName vertical = VerticalName::kNone;
  std::string reordered;  // the header's names when they put the columns in another order
  bool named = false;     // a header names a coordinate: they are triplets, not a plain grid
};

// The columns a header of three names gives: "x", one of "z", "y", "depth" and "elevation", and the
// value's name, in any order and case (z,x,vp). Without such names the columns are x, z, value;
// names that place x or the vertical column elsewhere without naming all three are refused:
//   "vp.csv, line 1: its column names \"depth offset vp\" do not say which column is x and which z:
//    name them x, z (or y, depth, elevation) and the value's name, in any order"
Status ColumnsNamed(const std::vector<std::string>& names, const std::string& where,
                    TripletColumns* columns);

// Whether lines of values at a text's start are triplets: four or more lines of three numbers
// (NaN, a hole, among them), nine in ten (x, z) pairs or more differing, and columns named
// above them (namedColumns) or an x or z that comes again, as the coordinates of a grid do.
bool LooksLikeTriplets(const std::vector<NumberedLine>& lines, bool decimalCommas,
                       bool namedColumns, const TripletColumns& columns = {});

// values: `count` values read from triplets, in their columns; on success the first count / 3
// hold the grid's values row after row, the top row first, and the form holds its sizes, steps
// and which way is up (turned: the user turns the rows over, once they are arranged). Refused,
// naming the coordinates, for a node missing, given twice or off the grid, a coordinate that is a
// hole, or a vertical column whose header's name its values contradict:
//   "vp.csv: its header names column 2 depth, but it runs from -3460 to 0, at or below 0 as
//    elevations do: is the header right?"
Status PlaceTriplets(float* values, std::uint64_t count, const std::string& name,
                     const TripletColumns& columns, bool turned, TextGridForm& form);
