#pragma once
// What a grid allows a finite-difference modelling: the highest frequency at 5 and at 10 nodes a
// shortest wavelength, and the largest time step of second- and fourth-order schemes. Shown by
// mvgtool info and convert, and by the dialog before it writes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gridfile/GridFileHeader.h"
#include "gridfile/GridFileReader.h"

// The velocities that bound a grid's modelling, in m/s, of the values above 0 that are no
// no-data markers; and the values that are no velocity yet could bound it: NaN, which may stand
// for any velocity, infinities, and values of 1.70141e38 and more, which a model would take as
// rock.
struct VelocityExtremes {
  bool hasVp = false, hasVs = false;
  float leastVp = 0, greatestVp = 0;
  float leastVs = 0;
  std::uint64_t notANumberVp = 0, hugeVp = 0, notANumberVs = 0;
  // Takes one run of Vp or Vs values, each to be multiplied by factor (above 0), as the export
  // does: the product's order is the values' order.
  void TakeVp(const float* values, std::size_t count, float factor = 1.0f);
  void TakeVs(const float* values, std::size_t count, float factor = 1.0f);
};

struct StabilityReport {
  bool known = false;  // false when the grid holds no velocity above 0 and nothing that could be
  bool hasSlowest = false;
  float slowest = 0;  // Vmin: the least Vs above 0, else the least Vp
  bool slowestIsVs = false;
  bool hasFastest = false;  // the grid holds Vp
  float fastest = 0;        // Vmax: the greatest Vp
  float largerStep = 0, smallerStep = 0;
  double frequency5 = 0, frequency10 = 0;  // Hz: Vmin / (N * the larger step)
  double timeStep2 = 0;                    // s: h / (Vmax * sqrt 2), h the smaller step
  double timeStep4 = 0;                    // s: 0.606 * h / Vmax
  // Vp values that leave Vmax unknown, and NaN values that leave Vmin unknown (VelocityExtremes):
  // no time step, no frequency is given then.
  std::uint64_t notANumberVp = 0, hugeVp = 0, notANumberVs = 0;
  bool FastestKnown() const { return hasFastest && notANumberVp == 0 && hugeVp == 0; }
  bool SlowestKnown() const {
    return hasSlowest && notANumberVs == 0 && (slowestIsVs || notANumberVp == 0);
  }
};

StabilityReport StabilityOf(const VelocityExtremes& velocities, float xStep, float zStep);

// The report of a grid file, from its header and each property's range (ReadGridFile), as
// mvgtool info gives it.
StabilityReport StabilityOfGridFile(const GridFileHeader& header,
                                    const std::vector<PropertyRange>& ranges);

// The report as lines, the first a heading; empty when nothing is known. Every figure it
// measures is rounded down to 4 significant digits:
//   Stability for finite-difference modelling (figures rounded down to 4 digits):
//   slowest velocity 1028 m/s: the smallest Vs above 0
//   fastest velocity 4700 m/s: the largest Vp
//   highest frequency 10.28 Hz at 5 nodes a shortest wavelength: f = Vmin / (5 x 20 m, the
//    larger step)
//   highest frequency 5.14 Hz at 10 nodes a shortest wavelength: f = Vmin / (10 x 20 m)
//   largest time step 3.008 ms for a second-order 2-D scheme: dt <= h / (Vmax x sqrt 2),
//    h = 20 m, the smaller step
//   largest time step 2.578 ms for a fourth-order staggered scheme: dt <= 0.606 x h / Vmax
// A model whose velocities hold values that are none (see VelocityExtremes) gets, instead of the
// figures they leave unknown:
//   slowest velocity unknown: Vs holds 1 NaN, so no highest frequency
//   fastest velocity unknown: Vp holds 2 values that are no velocity (NaN, infinite, or
//    1.70141e38 and more), so no time step
std::vector<std::string> StabilityLines(const StabilityReport& report);
