#pragma once
// What a grid allows a finite-difference modelling: the highest frequency at 5 and at 10 nodes a
// shortest wavelength, and the largest time step of second- and fourth-order schemes. Shown by
// mvgtool info and convert, and by the dialog before it writes.

#include <cstddef>
#include <string>
#include <vector>

#include "gridfile/GridFileHeader.h"
#include "gridfile/GridFileReader.h"

// The velocities that bound a grid's modelling, in m/s, of the values above 0 that are no
// no-data markers.
struct VelocityExtremes {
  bool hasVp = false, hasVs = false;
  float leastVp = 0, greatestVp = 0;
  float leastVs = 0;
  // Takes one run of Vp or Vs values, each to be multiplied by factor (above 0), as the export
  // does: the product's order is the values' order.
  void TakeVp(const float* values, std::size_t count, float factor = 1.0f);
  void TakeVs(const float* values, std::size_t count, float factor = 1.0f);
};

struct StabilityReport {
  bool known = false;  // false when the grid holds no velocity above 0
  float slowest = 0;   // Vmin: the least Vs above 0, else the least Vp
  bool slowestIsVs = false;
  bool hasFastest = false;
  float fastest = 0;  // Vmax: the greatest Vp
  float largerStep = 0, smallerStep = 0;
  double frequency5 = 0, frequency10 = 0;  // Hz: Vmin / (N * the larger step)
  double timeStep2 = 0;                    // s: h / (Vmax * sqrt 2), h the smaller step
  double timeStep4 = 0;                    // s: 0.606 * h / Vmax
};

StabilityReport StabilityOf(const VelocityExtremes& velocities, float xStep, float zStep);

// The report of a grid file, from its header and each property's range (ReadGridFile), as
// mvgtool info gives it.
StabilityReport StabilityOfGridFile(const GridFileHeader& header,
                                    const std::vector<PropertyRange>& ranges);

// The report as lines, the first a heading; empty when nothing is known. Limits are rounded down
// to 4 significant digits:
//   Stability for finite-difference modelling (limits rounded down to 4 digits):
//   slowest velocity 1028 m/s: the smallest Vs above 0
//   fastest velocity 4700 m/s: the largest Vp
//   highest frequency 10.28 Hz at 5 nodes a shortest wavelength: f = Vmin / (5 x 20 m, the
//    larger step)
//   highest frequency 5.14 Hz at 10 nodes a shortest wavelength: f = Vmin / (10 x 20 m)
//   largest time step 3.008 ms for a second-order 2-D scheme: dt <= h / (Vmax x sqrt 2),
//    h = 20 m, the smaller step
//   largest time step 2.578 ms for a fourth-order staggered scheme: dt <= 0.606 x h / Vmax
std::vector<std::string> StabilityLines(const StabilityReport& report);
