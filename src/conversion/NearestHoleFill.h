#pragma once
// Holes (no-data markers) filled with the value of the nearest node that is not a hole, the
// distance measured in m with the grid's steps. Of nodes at the same distance, the one in the
// upper row wins, then the one in the left column. Rows are filled one at a time, from the top
// down, holding a few values a column: whole copies of the grid are never made.

#include <cstdint>
#include <vector>

class NearestHoleFill {
 public:
  // values: nx * nz values, row after row. steps in m, above 0.
  NearestHoleFill(const float* values, std::int32_t nx, std::int32_t nz, float xStep, float zStep);

  // Row z's values in columns [x, x + count) into out, each hole filled; a hole stays when the
  // grid holds nothing but holes. Rows are asked for in increasing order (some may be skipped).
  void FillRow(std::int32_t z, std::int32_t x, std::int32_t count, float* out);

 private:
  bool Hole(std::int64_t z, std::int64_t x) const;
  void FindColumnCandidates(std::int32_t z);
  void BuildLowerEnvelope();
  bool Beats(std::int32_t p, std::int32_t q, std::int64_t x) const;

  const float* values_;
  std::int32_t nx_, nz_;
  double xStep_, zStep_;
  std::int32_t lastRow_ = -1;  // above_ holds rows up to it
  // For each column: the last row at or above the current one that is not a hole (-1: none),
  // and the first at or below it (nz_: none; below the current row: not yet looked for).
  std::vector<std::int32_t> above_, below_;
  // For each column: the row of its nearest node that is not a hole (-1: none) and the square of
  // its vertical distance in m.
  std::vector<std::int32_t> candidateRow_;
  std::vector<double> candidateDistance_;
  // The columns whose candidates are nearest, left to right, each from its first column on.
  std::vector<std::int32_t> envelope_, envelopeFrom_;
};
