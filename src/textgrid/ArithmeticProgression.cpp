#include "textgrid/ArithmeticProgression.h"

#include <algorithm>
#include <cmath>

namespace {

// A float's rounding a few times over, at the axis's largest magnitude, and a millionth of its
// step: what a value written as a decimal may lie off its place.
double Tolerance(double first, double last, double step) {
  return 0x1p-22 * std::max(std::fabs(first), std::fabs(last)) + 1e-6 * std::fabs(step);
}

}  // namespace

Progression FindProgression(const float* values, std::uint64_t count, std::uint64_t stride) {
  Progression progression;
  if (count < 2) return progression;
  const double first = values[0], last = values[(count - 1) * stride];
  const double step = (last - first) / static_cast<double>(count - 1);
  if (!std::isfinite(step) || step == 0) return progression;
  const double within = Tolerance(first, last, step);
  for (std::uint64_t i = 1; i + 1 < count; ++i) {
    const double expected = first + static_cast<double>(i) * step;
    // NaN fails the comparison.
    if (!(std::fabs(values[i * stride] - expected) <= within)) return progression;
  }
  progression = {true, first, last, step};
  return progression;
}

bool SameStep(const Progression& a, const Progression& b) {
  return a.found && b.found &&
         std::fabs(a.step - b.step) <=
             Tolerance(a.first, a.last, a.step) + Tolerance(b.first, b.last, b.step);
}
