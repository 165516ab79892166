#include "picture/AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

AxisTicks ChooseAxisTicks(double first, double last, double pixels, double minimumGap,
                          double leastStep) {
  AxisTicks ticks;
  const double span = last - first;
  if (!(span > 0) || !(pixels > 0)) {
    ticks.values = {first};
    ticks.step = std::max(leastStep, 1.0);
    return ticks;
  }
  const double least = std::max(minimumGap * span / pixels, leastStep);
  // The step as mantissa x 10^power, so that multiples of a step below 1 are computed by one
  // division and come out as the nearest doubles to the round numbers (3 x 0.1 as 0.3).
  int power = static_cast<int>(std::floor(std::log10(least)));
  int mantissa = 0;
  for (const int candidate : {1, 2, 5, 10}) {
    if (candidate * std::pow(10.0, power) >= least * (1 - 1e-12)) {
      mantissa = candidate;
      break;
    }
  }
  if (mantissa == 0 || mantissa == 10) {
    mantissa = 1;
    ++power;
  }
  const double scale = std::pow(10.0, std::abs(power));
  const auto multiple = [&](double k) {
    return power >= 0 ? k * mantissa * scale : k * mantissa / scale;
  };
  ticks.step = multiple(1);
  const double tolerance = ticks.step * 1e-9;
  for (double k = std::ceil((first - tolerance) / ticks.step); multiple(k) <= last + tolerance;
       ++k) {
    ticks.values.push_back(multiple(k));
  }
  if (ticks.values.empty()) ticks.values = {first};
  return ticks;
}

std::string TickLabel(double value, double step) {
  char text[64];
  const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  if (value == 0) value = 0;  // no "-0"
  if (decimals > 12 || std::fabs(value) >= 1e15) {
    std::snprintf(text, sizeof text, "%.6g", value);
  } else {
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
  }
  return text;
}

double DistanceUnitMetres(double longestExtentMetres) {
  return longestExtentMetres >= 10000 ? 1000 : 1;
}
