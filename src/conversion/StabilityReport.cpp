#include "conversion/StabilityReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

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

std::string Count(std::uint64_t count, const char* one, const char* many) {
  return FormatInteger(static_cast<std::int64_t>(count)) + " " + (count == 1 ? one : many);
}

// Counts the NaN values, and the infinities and values of 1.70141e38 and more; a factor above 0
// keeps each in its kind, or takes a value past the largest float, which then counts.
void CountNoVelocities(const float* values, std::size_t count, float factor,
                       std::uint64_t* notANumber, std::uint64_t* huge) {
  constexpr float kMinusInfinity = -std::numeric_limits<float>::infinity();
  std::uint64_t nan = 0, large = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const float value = factor * values[i];
    nan += value != value;
    large += value >= kSurferBlank || value == kMinusInfinity;
  }
  *notANumber += nan;
  *huge += large;
}

}  // namespace

void VelocityExtremes::TakeVp(const float* values, std::size_t count, float factor) {
  CountNoVelocities(values, count, factor, &notANumberVp, &hugeVp);
  const ValueRange range = FindRangeBetween(values, count, 0.0f, kSurferBlank);
  if (!(range.minimum <= range.maximum)) return;
  leastVp = hasVp ? std::min(leastVp, factor * range.minimum) : factor * range.minimum;
  greatestVp = hasVp ? std::max(greatestVp, factor * range.maximum) : factor * range.maximum;
  hasVp = true;
}

void VelocityExtremes::TakeVs(const float* values, std::size_t count, float factor) {
  std::uint64_t huge = 0;  // no bound of the slowest velocity
  CountNoVelocities(values, count, factor, &notANumberVs, &huge);
  const ValueRange range = FindRangeBetween(values, count, 0.0f, kSurferBlank);
  if (!(range.minimum <= range.maximum)) return;
  leastVs = hasVs ? std::min(leastVs, factor * range.minimum) : factor * range.minimum;
  hasVs = true;
}

StabilityReport StabilityOf(const VelocityExtremes& velocities, float xStep, float zStep) {
  StabilityReport report;
  report.notANumberVp = velocities.notANumberVp;
  report.hugeVp = velocities.hugeVp;
  report.notANumberVs = velocities.notANumberVs;
  report.hasSlowest = velocities.hasVs || velocities.hasVp;
  report.hasFastest = velocities.hasVp || report.notANumberVp > 0 || report.hugeVp > 0;
  report.known = report.hasSlowest || report.hasFastest || report.notANumberVs > 0;
  if (!report.known) return report;
  report.slowestIsVs = velocities.hasVs;
  report.slowest = velocities.hasVs ? velocities.leastVs : velocities.leastVp;
  report.fastest = velocities.greatestVp;
  report.largerStep = std::max(xStep, zStep);
  report.smallerStep = std::min(xStep, zStep);
  report.frequency5 = report.slowest / (5.0 * report.largerStep);
  report.frequency10 = report.slowest / (10.0 * report.largerStep);
  if (report.FastestKnown()) {
    report.timeStep2 = report.smallerStep / (report.fastest * std::sqrt(2.0));
    report.timeStep4 = 0.606 * report.smallerStep / report.fastest;
  }
  return report;
}

StabilityReport StabilityOfGridFile(const GridFileHeader& header,
                                    const std::vector<PropertyRange>& ranges) {
  VelocityExtremes velocities;
  for (const PropertyRange& range : ranges) {
    if (range.code == 'P') {
      velocities.TakeVp(&range.leastAboveZero, 1);
      velocities.TakeVp(&range.maximum, 1);
      velocities.notANumberVp = range.notANumbers.count;
      // Counted once each, whichever bound they are.
      velocities.hugeVp = range.blanks.count + range.infinities.count;
    }
    if (range.code == 'R') {
      velocities.TakeVs(&range.leastAboveZero, 1);
      velocities.notANumberVs = range.notANumbers.count;
    }
  }
  return StabilityOf(velocities, header.dx, header.dz);
}

std::vector<std::string> StabilityLines(const StabilityReport& report) {
  if (!report.known) return {};
  std::vector<std::string> lines = {
      "Stability for finite-difference modelling (figures rounded down to 4 digits):"};
  if (report.notANumberVs > 0 || (!report.slowestIsVs && report.notANumberVp > 0)) {
    const bool inVs = report.notANumberVs > 0;
    lines.push_back(std::string("slowest velocity unknown: ") + (inVs ? "Vs" : "Vp") + " holds " +
                    Count(inVs ? report.notANumberVs : report.notANumberVp, "NaN", "NaN") +
                    ", so no highest frequency");
  } else if (!report.hasSlowest) {
    lines.push_back("no velocity above 0: no slowest velocity, so no highest frequency");
  } else {
    lines.push_back(
        "slowest velocity " + RoundedDown(report.slowest) + " m/s: " +
        (report.slowestIsVs ? "the smallest Vs above 0" : "the smallest Vp (no Vs above 0)"));
  }
  if (!report.hasFastest) {
    lines.push_back("no Vp: no fastest velocity, so no time step");
  } else if (!report.FastestKnown()) {
    lines.push_back("fastest velocity unknown: Vp holds " +
                    Count(report.notANumberVp + report.hugeVp, "value", "values") + " that " +
                    (report.notANumberVp + report.hugeVp == 1 ? "is" : "are") +
                    " no velocity (NaN, infinite, or 1.70141e38 and more), so no time step");
  } else {
    lines.push_back("fastest velocity " + RoundedDown(report.fastest) + " m/s: the largest Vp");
  }
  if (report.SlowestKnown()) {
    lines.push_back("highest frequency " + RoundedDown(report.frequency5) +
                    " Hz at 5 nodes a shortest wavelength: f = Vmin / (5 x " +
                    Metres(report.largerStep) + ", the larger step)");
    lines.push_back("highest frequency " + RoundedDown(report.frequency10) +
                    " Hz at 10 nodes a shortest wavelength: f = Vmin / (10 x " +
                    Metres(report.largerStep) + ")");
  }
  if (report.FastestKnown()) {
    lines.push_back("largest time step " + RoundedDown(report.timeStep2 * 1000) +
                    " ms for a second-order 2-D scheme: dt <= h / (Vmax x sqrt 2), h = " +
                    Metres(report.smallerStep) + ", the smaller step");
    lines.push_back("largest time step " + RoundedDown(report.timeStep4 * 1000) +
                    " ms for a fourth-order staggered scheme: dt <= 0.606 x h / Vmax");
  }
  return lines;
}
