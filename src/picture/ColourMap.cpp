#include "picture/ColourMap.h"

#include <cmath>

namespace {

// Every fifteenth of the 256 published viridis colours (matplotlib's table), from the first
// to the last; linear between them it stays within 2% of the full table.
constexpr float kControlPoints[][3] = {
    {0.267004f, 0.004874f, 0.329415f}, {0.281924f, 0.089666f, 0.412415f},
    {0.280255f, 0.165693f, 0.476498f}, {0.263663f, 0.237631f, 0.518762f},
    {0.237441f, 0.305202f, 0.541921f}, {0.208623f, 0.367752f, 0.552675f},
    {0.182256f, 0.426184f, 0.557120f}, {0.159194f, 0.482237f, 0.558073f},
    {0.137770f, 0.537492f, 0.554906f}, {0.121148f, 0.592739f, 0.544641f},
    {0.128087f, 0.647749f, 0.523491f}, {0.180653f, 0.701402f, 0.488189f},
    {0.274149f, 0.751988f, 0.436601f}, {0.395174f, 0.797475f, 0.367757f},
    {0.535621f, 0.835785f, 0.281908f}, {0.688944f, 0.865448f, 0.182725f},
    {0.845561f, 0.887322f, 0.099702f}, {0.993248f, 0.906157f, 0.143936f},
};
constexpr int kIntervals = sizeof kControlPoints / sizeof kControlPoints[0] - 1;

std::uint8_t Byte(double channel) { return static_cast<std::uint8_t>(std::lround(channel * 255)); }

}  // namespace

Rgb ViridisColour(double t) {
  if (!(t > 0)) t = 0;  // NaN too
  if (t > 1) t = 1;
  const double at = t * kIntervals;
  const int low = at >= kIntervals ? kIntervals - 1 : static_cast<int>(at);
  const double f = at - low;
  const float* a = kControlPoints[low];
  const float* b = kControlPoints[low + 1];
  const auto mix = [f](float from, float to) { return Byte(from + (to - from) * f); };
  return Rgb{mix(a[0], b[0]), mix(a[1], b[1]), mix(a[2], b[2])};
}
