#include "conversion/StabilityReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "conversion/NoDataFindings.h"
#include "grid/NumberText.h"
#include "grid/ValueRange.h"

namespace {

// A limit shown rounded down, so that the figure read is never beyond it; a relative 1e-9 keeps
// a figure that is exactly a decimal (1028 / 100) from falling a digit short.
std::string RoundedDown(double value, int digits = 4) {
  if (!(value > 0) || !std::isfinite(value)) return "0";
  const int exponent = static_cast<int>(std::floor(std::log10(value)));
  const int decimals = std::max(0, digits - 1 - exponent);
  const double scale = std::pow(10.0, digits - 1 - exponent);
  const double down = std::floor(value * scale * (1 + 1e-9)) / scale;
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, down);
  return text;
}

std::string Metres(float step) { return FormatShortest(step) + " m"; }

}  // namespace

void VelocityExtremes::TakeVp(const float* values, std::size_t count, float factor) {
  const ValueRange range = FindRangeBetween(values, count, 0.0f, kSurferBlank);
  if (!(range.minimum <= range.maximum)) return;
  leastVp = hasVp ? std::min(leastVp, factor * range.minimum) : factor * range.minimum;
  greatestVp = hasVp ? std::max(greatestVp, factor * range.maximum) : factor * range.maximum;
  hasVp = true;
}

void VelocityExtremes::TakeVs(const float* values, std::size_t count, float factor) {
  const ValueRange range = FindRangeBetween(values, count, 0.0f, kSurferBlank);
  if (!(range.minimum <= range.maximum)) return;
  leastVs = hasVs ? std::min(leastVs, factor * range.minimum) : factor * range.minimum;
  hasVs = true;
}

StabilityReport StabilityOf(const VelocityExtremes& velocities, float xStep, float zStep) {
  StabilityReport report;
  report.known = velocities.hasVs || velocities.hasVp;
  if (!report.known) return report;
  report.slowestIsVs = velocities.hasVs;
  report.slowest = velocities.hasVs ? velocities.leastVs : velocities.leastVp;
  report.hasFastest = velocities.hasVp;
  report.fastest = velocities.greatestVp;
  report.largerStep = std::max(xStep, zStep);
  report.smallerStep = std::min(xStep, zStep);
  report.frequency5 = report.slowest / (5.0 * report.largerStep);
  report.frequency10 = report.slowest / (10.0 * report.largerStep);
  if (report.hasFastest) {
    report.timeStep2 = report.smallerStep / (report.fastest * std::sqrt(2.0));
    report.timeStep4 = 0.606 * report.smallerStep / report.fastest;
  }
  return report;
}

StabilityReport StabilityOfGridFile(const GridFileHeader& header,
                                    const std::vector<PropertyRange>& ranges) {
  VelocityExtremes velocities;
  for (const PropertyRange& range : ranges) {
    if (range.code == 'P') velocities.TakeVp(&range.leastAboveZero, 1);
    if (range.code == 'P') velocities.TakeVp(&range.maximum, 1);
    if (range.code == 'R') velocities.TakeVs(&range.leastAboveZero, 1);
  }
  return StabilityOf(velocities, header.dx, header.dz);
}

std::vector<std::string> StabilityLines(const StabilityReport& report) {
  if (!report.known) return {};
  std::vector<std::string> lines = {
      "Stability for finite-difference modelling (limits rounded down to 4 digits):",
      "slowest velocity " + FormatShortest(report.slowest) + " m/s: " +
          (report.slowestIsVs ? "the smallest Vs above 0" : "the smallest Vp (no Vs above 0)"),
      report.hasFastest
          ? "fastest velocity " + FormatShortest(report.fastest) + " m/s: the largest Vp"
          : "no Vp: no fastest velocity, so no time step",
      "highest frequency " + RoundedDown(report.frequency5) +
          " Hz at 5 nodes a shortest wavelength: f = Vmin / (5 x " + Metres(report.largerStep) +
          ", the larger step)",
      "highest frequency " + RoundedDown(report.frequency10) +
          " Hz at 10 nodes a shortest wavelength: f = Vmin / (10 x " + Metres(report.largerStep) +
          ")",
  };
  if (report.hasFastest) {
    lines.push_back("largest time step " + RoundedDown(report.timeStep2 * 1000) +
                    " ms for a second-order 2-D scheme: dt <= h / (Vmax x sqrt 2), h = " +
                    Metres(report.smallerStep) + ", the smaller step");
    lines.push_back("largest time step " + RoundedDown(report.timeStep4 * 1000) +
                    " ms for a fourth-order staggered scheme: dt <= 0.606 x h / Vmax");
  }
  return lines;
}
