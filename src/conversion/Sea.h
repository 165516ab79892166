#pragma once
// Water as the rules take it: the sea, the nodes of Vp at most the water's Vp that are joined to
// the grid's top row through such nodes (each to the node above, below, left or right of it). A
// slow node below the sea, such as a gas lens, is rock: the rules give it their ordinary value,
// and it is a finding. Found on the whole input grid, with holes filled as the request fills
// them, in two bits a node.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"

// Vp of the input grid as the rules see it, a row at a time from the top: in the file's unit,
// its holes filled as the request fills them (a hole left holds its marker).
void ForEachVpRow(const ConversionRequest& request,
                  const std::function<void(std::int64_t row, const float* values)>& take);

class Sea {
 public:
  // A request that passed CheckConversionRequest, with Vp loaded.
  explicit Sea(const ConversionRequest& request);

  // Whether node (row, column) of the input grid is water.
  bool Holds(std::int64_t row, std::int64_t column) const { return Bit(sea_, row, column); }

  // "48 nodes at or below 1550 m/s lie below the sea (the first at row 54, column 327): not taken
  // as water."; "" when every slow node is water.
  std::string BelowTheSeaFinding() const;

 private:
  bool Bit(const std::vector<std::uint64_t>& bits, std::int64_t row, std::int64_t column) const {
    const std::uint64_t i = static_cast<std::uint64_t>(row * nx_ + column);
    return (bits[i / 64] >> (i % 64)) & 1u;
  }
  void Flood();

  std::int64_t nx_ = 0, nz_ = 0;
  float waterVp_ = 0;
  std::vector<std::uint64_t> slow_, sea_;  // a bit a node, row after row
};
