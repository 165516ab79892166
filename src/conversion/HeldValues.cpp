#include "conversion/HeldValues.h"

#include <algorithm>
#include <cmath>

#include "conversion/PreparationChoices.h"
#include "conversion/StepChoices.h"
#include "conversion/WindowChoice.h"
#include "grid/AsciiCase.h"
#include "grid/NumberText.h"
#include "textgrid/TextGridReader.h"

namespace {

// The choice that names a property's values or its rule: "vp".
std::string ChoiceOf(const GridProperty& property) { return AsciiLower(property.name); }

// Every NaN refused, with the first one's place: a model cannot hold one, and no check sees it.
Status CheckNotNaN(const HeldProperty& held, std::uint64_t count, std::int32_t nx) {
  std::uint64_t nans = 0, first = 0;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (!std::isnan(held.values[i])) continue;
    if (nans++ == 0) first = i;
  }
  if (nans == 0) return Status();
  const std::uint64_t width = static_cast<std::uint64_t>(nx);
  return Status::Error(held.name + " holds " + FormatInteger(static_cast<std::int64_t>(nans)) +
                       (nans == 1 ? " NaN value" : " NaN values") +
                       " (not a number), the first at row " + std::to_string(first / width + 1) +
                       ", column " + std::to_string(first % width + 1) +
                       ": a model cannot hold them.");
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

Status RequestForHeldValues(const HeldGrid& grid, const NamedChoices& named,
                            const std::string& output, ConversionRequest& request) {
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
  for (const HeldProperty& held : grid.properties.each) {
    if (held.values == nullptr) continue;
    const Status numbers = CheckNotNaN(held, count, grid.nx);
    if (!numbers.ok()) return numbers;
  }
  for (const GridProperty& property : kGridProperties) {
    const HeldProperty& held = grid.properties[property.kind];
    if (held.values == nullptr) continue;
    PropertyInput& input = request.inputs[property.kind];
    input.values = held.values;
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
  request.choiceNames = {"the arrays' shape", "a slice [:, N:] with N =", "a slice [N:] with N ="};
  request.xStepName = named.Named("dx");
  request.zStepName = named.Named("dz");
  request.outputName = output;
  request.outputPath = output;
  return Status();
}
