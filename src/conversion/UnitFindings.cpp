#include "conversion/UnitFindings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "conversion/NoDataFindings.h"
#include "grid/NumberText.h"

namespace {

struct Range {
  float low, high;
};

// What the file's m/s and kg/m3 make plausible.
Range PlausibleRange(PropertyKind kind) {
  return kind == PropertyKind::kDensity ? Range{500.0f, 6000.0f} : Range{100.0f, 10000.0f};
}

const char* MetricUnit(PropertyKind kind) {
  return kind == PropertyKind::kDensity ? "kg/m3" : "m/s";
}

// Values in the file's units are plausible when they lie in the range; water's shear velocity is 0.
bool Plausible(PropertyKind kind, float value) {
  const Range range = PlausibleRange(kind);
  if (kind == PropertyKind::kVs && value == 0.0f) return true;
  return value >= range.low && value <= range.high;
}

bool PlausibleIn(PropertyKind kind, float minimum, float maximum, float factor) {
  return Plausible(kind, minimum * factor) && Plausible(kind, maximum * factor);
}

// Three significant digits, or the whole number for large values: "1.01", "457", "2627000";
// beyond a whole number's digits, "1e+36".
std::string Shown(float value) {
  if (std::fabs(value) >= 1000.0f && std::fabs(value) < 1e15f) {
    return FormatInteger(std::llround(value));
  }
  return FormatSignificant(value, 3);
}

}  // namespace

std::string RangeFinding(PropertyKind kind, const PropertyInput& input, const ValueRange& range) {
  const float low = range.minimum, high = range.maximum;
  const float factor = input.unit != nullptr ? input.unit->factor : 1.0f;
  if (!(low <= high) || PlausibleIn(kind, low, high, factor)) return {};
  const std::string holds = input.name + " holds " + Shown(low) + " to " + Shown(high);
  const char* given = input.unit != nullptr ? input.unit->name : ListedUnits(kind).front()->name;
  for (const Unit* unit : AllUnits(kind)) {
    if (unit->factor != factor && PlausibleIn(kind, low, high, unit->factor)) {
      return holds + ": that looks like " + unit->name + ", not " + given + ".";
    }
  }
  const Range plausible = PlausibleRange(kind);
  return holds + " " + given + ": that is not a plausible range for " + PropertyName(kind) + " (" +
         FormatSixDigits(plausible.low) + " to " + FormatSixDigits(plausible.high) + " " +
         MetricUnit(kind) + ").";
}

std::string ShearAboveCompressional(const ConversionRequest& request) {
  const float vpFactor = request.vp.unit != nullptr ? request.vp.unit->factor : 1.0f;
  const float vsFactor = request.vs.unit != nullptr ? request.vs.unit->factor : 1.0f;
  std::uint64_t above = 0, first = 0;
  for (std::uint32_t i = request.elementCount; i-- > 0;) {
    const float vs = request.vs.values[i], vp = request.vp.values[i];
    if (vs * vsFactor > vp * vpFactor && !IsNoDataMarker(vs) && !IsNoDataMarker(vp)) {
      ++above;
      first = i;
    }
  }
  if (above == 0) return {};
  const std::int32_t nx = std::max(request.nxInput, 1);
  return "Vs is above Vp at " + FormatInteger(static_cast<std::int64_t>(above)) + " of " +
         FormatInteger(request.elementCount) + " nodes, the first at row " +
         FormatInteger(static_cast<std::int64_t>(first / static_cast<std::uint64_t>(nx)) + 1) +
         ", column " +
         FormatInteger(static_cast<std::int64_t>(first % static_cast<std::uint64_t>(nx)) + 1) +
         " (Vs " + Shown(request.vs.values[first] * vsFactor) + " m/s, Vp " +
         Shown(request.vp.values[first] * vpFactor) + " m/s).";
}

std::string StepFinding(const std::string& name, float step) {
  const std::string shown = name + " " + FormatShortest(step);
  if (step < 0.1f) return shown + ": a step in km?";
  if (step > 1000.0f) return shown + ": a step of more than 1000 m?";
  return {};
}
