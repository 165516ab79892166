#pragma once
// The colour map of the pictures: viridis, perceptually uniform from dark blue-violet (low) to
// yellow (high), so equal steps of a value look like equal steps of colour, also in grey.

#include <cstdint>

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// The colour at t from 0 (lowest) to 1 (highest); t outside is taken as the nearer end.
Rgb ViridisColour(double t);
