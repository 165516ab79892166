#pragma once
// Coordinates written beside a grid's values: a run of values that rise or fall by one step
// other than 0 from each to the next, as the x of a first row or the z of a first column do.
// Decimals such as 0.1 are not exact floats, so each value may lie off its place by the rounding
// of a float; values of a model rarely keep one step that closely for long.

#include <cstdint>

struct Progression {
  bool found = false;  // every value on the progression, with a step other than 0
  double first = 0, last = 0, step = 0;
};

// `count` values, `stride` apart from values[0]; a progression needs 2 or more.
Progression FindProgression(const float* values, std::uint64_t count, std::uint64_t stride = 1);

// Whether another progression (or a run of values) keeps the same step.
bool SameStep(const Progression& a, const Progression& b);
