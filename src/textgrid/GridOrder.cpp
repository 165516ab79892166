#include "textgrid/GridOrder.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

void ReverseRows(float* values, std::uint64_t count, std::uint64_t nx) {
  const std::uint64_t nz = count / nx;
  for (std::uint64_t z = 0; z < nz / 2; ++z) {
    std::swap_ranges(values + z * nx, values + (z + 1) * nx, values + (nz - 1 - z) * nx);
  }
}

// A rows x columns matrix, row after row, becomes its transpose: the value at index i goes to
// i * rows mod (count - 1), the last one staying where it is. Each cycle of that permutation is
// followed once: marked as moved, a bit a value, when workBytes allow, else found from its least
// index, which needs no memory.
bool Transpose(float* values, std::uint64_t count, std::uint64_t rows, std::uint64_t workBytes) {
  if (count < 3 || rows <= 1 || rows >= count) return true;
  const std::uint64_t modulus = count - 1;
  // Counts stay below 2^31, so the product fits.
  const auto next = [rows, modulus](std::uint64_t i) { return i * rows % modulus; };
  const std::uint64_t words = (count + 63) / 64;
  std::unique_ptr<std::uint64_t[]> moved;
  if (words * 8 <= workBytes) {
    moved.reset(new (std::nothrow) std::uint64_t[words]());
    if (!moved) return false;
  }
  for (std::uint64_t start = 1; start < modulus; ++start) {
    if (moved) {
      if (moved[start / 64] >> (start % 64) & 1) continue;
    } else {
      // The cycle is followed from its least index alone.
      std::uint64_t i = next(start);
      while (i > start) i = next(i);
      if (i < start) continue;
    }
    // The value at i goes to next(i): walk the cycle backwards, each place taking its source.
    float carried = values[start];
    std::uint64_t i = start;
    for (;;) {
      const std::uint64_t to = next(i);
      if (moved) moved[to / 64] |= std::uint64_t{1} << (to % 64);
      std::swap(carried, values[to]);
      i = to;
      if (i == start) break;
    }
  }
  return true;
}

}  // namespace

bool ArrangeGrid(float* values, std::uint64_t count, std::uint64_t nx, ValueOrder order, bool flipZ,
                 std::uint64_t workBytes) {
  if (nx == 0 || count % nx != 0) return true;
  // The file holds nx columns of count / nx values: a matrix of nx rows to transpose.
  if (order == ValueOrder::kColumns && !Transpose(values, count, nx, workBytes)) return false;
  if (flipZ) ReverseRows(values, count, nx);
  return true;
}

bool RestoreFileOrder(float* values, std::uint64_t count, std::uint64_t nx, ValueOrder order,
                      bool flipZ, std::uint64_t workBytes) {
  if (nx == 0 || count % nx != 0) return true;
  if (flipZ) ReverseRows(values, count, nx);
  return order != ValueOrder::kColumns || Transpose(values, count, count / nx, workBytes);
}
