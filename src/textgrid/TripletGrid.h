#pragma once
// x z value triplets: a line a node, its x, its z and its value, in any order. The distinct
// coordinates must form a complete regular grid with each node once; x grows to the right and z
// downwards (the smallest z is the top row). The text holds three values a node: they are put
// into the grid's order in their own memory.

#include <cstdint>
#include <string>
#include <vector>

#include "grid/Status.h"
#include "textgrid/CommaReading.h"
#include "textgrid/TextGridForm.h"

// Whether lines of values at a text's start are triplets: four or more lines of three numbers,
// nine in ten (x, z) pairs or more differing, and columns named above them (namedColumns) or an
// x or z that comes again, as the coordinates of a grid do.
bool LooksLikeTriplets(const std::vector<NumberedLine>& lines, bool decimalCommas,
                       bool namedColumns);

// values: `count` values read from triplets, x z value after x z value; on success the first
// count / 3 hold the grid's values row after row, and the form holds its sizes and steps.
// Refused, naming the coordinates, for a node missing, given twice or off the grid.
Status PlaceTriplets(float* values, std::uint64_t count, const std::string& name,
                     TextGridForm& form);
