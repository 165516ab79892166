#pragma once
// The values of a grid put in the order the grid file holds them, rows along X from the top:
// those of a file stored column by column (one vertical profile after another, depth varying
// fastest) are transposed, and the rows of a file written from the bottom up are reversed. Both
// are done in place, so that any form of any size is arranged within its own memory (and a bit
// a value, up to 16 MiB).

#include <cstdint>

#include "textgrid/TextGridForm.h"

// The most memory the work takes by default: a bit a value up to this many bytes, none beyond.
inline constexpr std::uint64_t kGridOrderWorkBytes = std::uint64_t{16} << 20;

// values: `count` values as the file holds them, a grid nx wide (count a multiple of nx). False
// when there is no memory for the work; the values are then as they were.
bool ArrangeGrid(float* values, std::uint64_t count, std::uint64_t nx, ValueOrder order, bool flipZ,
                 std::uint64_t workBytes = kGridOrderWorkBytes);
// The file's order again, from values that ArrangeGrid arranged with the same choices.
bool RestoreFileOrder(float* values, std::uint64_t count, std::uint64_t nx, ValueOrder order,
                      bool flipZ, std::uint64_t workBytes = kGridOrderWorkBytes);
