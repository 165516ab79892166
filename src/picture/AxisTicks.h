#pragma once
// Round-number ticks along an axis of a picture: 1, 2 or 5 times a power of ten apart, as close
// together as their labels allow.

#include <string>
#include <vector>

struct AxisTicks {
  std::vector<double> values;  // ascending multiples of step within [first, last]
  double step = 0;
};

// Ticks over [first, last] (last >= first) when the span between them is drawn `pixels` long:
// the smallest round step that keeps ticks at least minimumGap pixels apart, and no smaller than
// leastStep (1 for node numbers). A span no tick falls in gets one at first.
AxisTicks ChooseAxisTicks(double first, double last, double pixels, double minimumGap,
                          double leastStep = 0);

// A tick's label with the decimals its step needs: (1500, 500) "1500", (2.5, 0.5) "2.5".
std::string TickLabel(double value, double step);

// The factor from metres to the axes' unit: 1000 (km) when a tick in m would reach five digits,
// 1 (m) otherwise.
double DistanceUnitMetres(double longestExtentMetres);
