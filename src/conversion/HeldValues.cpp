#include "conversion/HeldValues.h"

#include <algorithm>
#include <cmath>

#include "binarygrid/SampleDecoding.h"
#include "conversion/PreparationChoices.h"
#include "conversion/StepChoices.h"
#include "conversion/WindowChoice.h"
#include "grid/AsciiCase.h"
#include "textgrid/TextGridReader.h"

namespace {

// The choice that names a property's values or its rule: "vp".
std::string ChoiceOf(const GridProperty& property) { return AsciiLower(property.name); }

// The values with each NaN made a hole, as the readers of files make one; `marked` holds them
// when there is a NaN. The request's checks count the holes and refuse them unless it fills them.
const float* MarkNaNHoles(const float* values, std::uint64_t count, std::vector<float>& marked) {
  const float* const end = values + count;
  const float* const nan = std::find_if(values, end, [](float value) { return std::isnan(value); });
  if (nan == end) return values;
  marked.assign(values, end);
  std::replace_if(
      marked.begin() + (nan - values), marked.end(), [](float value) { return std::isnan(value); },
      HoleMarker());
  return marked.data();
}

// Density and Vs by name: a rule, or values held; a text that names no rule is refused.
Status TakeSources(const HeldGrid& grid, const NamedChoices& named, ModelPreparation& preparation,
                   PerProperty<const Unit*>& units, bool& anyRule) {
  anyRule = false;
  for (const GridProperty& property : kGridProperties) {
    const std::string choice = ChoiceOf(property);
    PropertySource& source = preparation.sources[property.kind];
    if (named.Has(choice) && !TakeRule(property.kind, named.Value(choice), source)) {
      const bool density = property.kind == PropertyKind::kDensity;
      return Status::Error(named.NamedWith(choice, named.Value(choice)) + " names no rule: give " +
                           (density ? "gardner" : "mudrock or vp/R"));
    }
    if (IsDerived(source)) {
      anyRule = true;
      const Status vp = CheckRuleHasVp(named, property.kind, choice,
                                       grid.properties[PropertyKind::kVp].values != nullptr);
      if (!vp.ok()) return vp;
    }
    const Status unit = TakeUnitOption(named, property.kind, choice,
                                       grid.properties[property.kind].values != nullptr, source,
                                       units[property.kind]);
    if (!unit.ok()) return unit;
  }
  return Status();
}

}  // namespace

std::vector<OptionRule> HeldValuesOptionRules() {
  std::vector<OptionRule> rules = {{"dx"},       {"dz"},      {"nx-write"},      {"nz-write"},
                                   {"vp-units"}, {"density"}, {"density-units"}, {"vs"},
                                   {"vs-units"}};
  for (const OptionRule& rule : PreparationOptionRules()) rules.push_back(rule);
  return rules;
}

Status RequestForHeldValues(HeldGrid& grid, const NamedChoices& named, const std::string& output,
                            ConversionRequest& request) {
  const std::uint64_t count = static_cast<std::uint64_t>(std::max(grid.nx, 0)) *
                              static_cast<std::uint64_t>(std::max(grid.nz, 0));
  for (const HeldProperty& held : grid.properties.each) {
    if (held.values == nullptr) continue;
    if (count == 0) return Status::Error(held.name + ": holds no values");
    if (count > kMaxTextGridValues) {
      return Status::Error(held.name + ": holds more than " + std::to_string(kMaxTextGridValues) +
                           " values");
    }
  }
  ModelPreparation preparation;
  PerProperty<const Unit*> units;
  bool anyRule = false;
  const Status sources = TakeSources(grid, named, preparation, units, anyRule);
  if (!sources.ok()) return sources;
  if (std::none_of(grid.properties.each.begin(), grid.properties.each.end(),
                   [](const HeldProperty& held) { return held.values != nullptr; })) {
    return Status::Error("no values: give at least one of " + named.Named("vp") + ", " +
                         named.Named("density") + ", " + named.Named("vs"));
  }
  WindowChoice window;
  float dx = 0, dz = 0;
  for (const Status& taken : {TakeNumber(named, "dx", dx), TakeNumber(named, "dz", dz),
                              CheckOneStepNotMissing(named), TakeWindowSizes(named, window),
                              TakePreparationOptions(named, anyRule, preparation, window.start),
                              CheckOutputName(output)}) {
    if (!taken.ok()) return taken;
  }
  if (!named.Has("dx")) {
    return Status::Error("no steps: give " + named.Named("dx") + " and " + named.Named("dz") +
                         ", the grid steps in m");
  }
  for (const GridProperty& property : kGridProperties) {
    HeldProperty& held = grid.properties[property.kind];
    if (held.values == nullptr) continue;
    PropertyInput& input = request.inputs[property.kind];
    input.values = MarkNaNHoles(held.values, count, held.holesMarked);
    if (input.values != held.values) input.holes = "NaN";
    input.unit = units[property.kind];
    input.path = held.path;
    input.name = held.name;
  }
  const std::uint32_t values = static_cast<std::uint32_t>(count);
  request.window = WindowOf(values, grid.nx, grid.nz, window, dx, dz);
  request.preparation = preparation;
  request.inputCount = static_cast<std::int32_t>(values);
  request.nzInput = grid.nz;
  // An array's leading column or row of coordinates is left out by slicing it.
  request.choiceNames = {"the arrays' shape", "a slice [:, 1:]", "a slice [1:]", "", "", ""};
  request.xStepName = named.Named("dx");
  request.zStepName = named.Named("dz");
  request.outputName = output;
  request.outputPath = output;
  return Status();
}
