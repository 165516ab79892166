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
  constexpr PerProperty<Range> kPlausible = {
      {{{100.0f, 10000.0f}, {500.0f, 6000.0f}, {100.0f, 10000.0f}}}};
  return kPlausible[kind];
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
  const float factor = UnitOf(kind, input).factor;
  if (!(low <= high) || PlausibleIn(kind, low, high, factor)) return {};
  const std::string holds = input.name + " holds " + Shown(low) + " to " + Shown(high);
  const char* given = UnitOf(kind, input).name;
  for (const Unit* unit : AllUnits(kind)) {
    if (unit->factor != factor && PlausibleIn(kind, low, high, unit->factor)) {
      return holds + ": that looks like " + unit->name + ", not " + given + ".";
    }
  }
  const Range plausible = PlausibleRange(kind);
  return holds + " " + given + ": that is not a plausible range for " + PropertyOf(kind).name +
         " (" + FormatSixDigits(plausible.low) + " to " + FormatSixDigits(plausible.high) + " " +
         PropertyOf(kind).unit + ").";
}

std::string ShearAboveCompressional(const ConversionRequest& request) {
  const PropertyInput& vpInput = request.inputs[PropertyKind::kVp];
  const PropertyInput& vsInput = request.inputs[PropertyKind::kVs];
  if (vpInput.values == nullptr || vsInput.values == nullptr) return {};
  const float vpFactor = UnitOf(PropertyKind::kVp, vpInput).factor;
  const float vsFactor = UnitOf(PropertyKind::kVs, vsInput).factor;
  const std::uint32_t count = request.window.elementCount;
  std::uint64_t above = 0, first = 0;
  for (std::uint32_t i = count; i-- > 0;) {
    const float vs = vsInput.values[i], vp = vpInput.values[i];
    if (vs * vsFactor > vp * vpFactor && !IsNoDataMarker(vs) && !IsNoDataMarker(vp)) {
      ++above;
      first = i;
    }
  }
  if (above == 0) return {};
  return ShearAtNodes("Vs is above Vp", above, count, first, request.window.nxInput,
                      vsInput.values[first] * vsFactor, vpInput.values[first] * vpFactor);
}

std::string ShearAtNodes(const std::string& what, std::uint64_t nodes, std::uint64_t count,
                         std::uint64_t first, std::int32_t nx, float vs, float vp) {
  const std::uint64_t width = static_cast<std::uint64_t>(std::max(nx, 1));
  return what + " at " + FormatInteger(static_cast<std::int64_t>(nodes)) + " of " +
         FormatInteger(static_cast<std::int64_t>(count)) + " nodes, the first at row " +
         FormatInteger(static_cast<std::int64_t>(first / width) + 1) + ", column " +
         FormatInteger(static_cast<std::int64_t>(first % width) + 1) + " (Vs " + Shown(vs) +
         " m/s, Vp " + Shown(vp) + " m/s).";
}

std::string MadeRangeFinding(PropertyKind kind, const std::string& maker, const std::string& where,
                             const ValueRange& range) {
  const float low = range.minimum, high = range.maximum;
  const Range plausible = PlausibleRange(kind);
  const auto fits = [&plausible](float value) {
    return value >= plausible.low && value <= plausible.high;
  };
  if (!(low <= high) || (fits(low) && fits(high))) return {};
  const GridProperty& property = PropertyOf(kind);
  return maker + " makes " + Shown(low) + (low == high ? "" : " to " + Shown(high)) + " " +
         property.unit + where + ": that is not a plausible " + (low == high ? "value" : "range") +
         " for " + property.name + " (" + FormatSixDigits(plausible.low) + " to " +
         FormatSixDigits(plausible.high) + " " + property.unit + ").";
}

std::string StepFinding(const std::string& name, float step) {
  const std::string shown = name + " " + FormatShortest(step);
  if (step < 0.1f) return shown + ": a step in km?";
  if (step > 1000.0f) return shown + ": a step of more than 1000 m?";
  return {};
}
