#include "dialog/PreparationFields.h"

#include <iterator>
#include <tuple>

#include "dialog/ConvertDialogControls.h"
#include "grid/AsciiCase.h"
#include "grid/NumberText.h"
#include "ui/DataExchange.h"
#include "ui/DialogWindow.h"

namespace {

struct SourceChoice {
  PropertyRule rule;
  const char* name;
};

// The entries of the source lists, in their order.
constexpr SourceChoice kDensitySources[] = {{PropertyRule::kFile, "the file"},
                                            {PropertyRule::kGardner, "Gardner's relation"}};
constexpr SourceChoice kVsSources[] = {{PropertyRule::kFile, "the file"},
                                       {PropertyRule::kVpRatio, "Vp / ratio"},
                                       {PropertyRule::kMudrock, "the mudrock line"}};

constexpr char kNoFilling[] = "none";
constexpr char kNearestFilling[] = "nearest";

// A number field read for the record; false (with the refusal) when it is none.
bool TakeNumber(const DialogWindow& window, int controlId, float& value,
                PreparationFields& fields) {
  if (ReadFloat32(window.GetControlText(controlId), &value)) return true;
  fields.message = kEnterNumberMessage;
  fields.refusedControl = controlId;
  return false;
}

bool TakeHoleFill(const DialogWindow& window, HoleFill& fill, PreparationFields& fields) {
  const std::string text = window.GetControlText(kHolesCombo);
  const std::string how = AsciiLower(std::string(WithoutBlanks(text)));
  fill = HoleFill();
  if (how.empty() || how == kNoFilling) return true;
  if (how == kNearestFilling) {
    fill.how = HoleFilling::kNearest;
    return true;
  }
  if (ReadFloat32(text, &fill.value)) {
    fill.how = HoleFilling::kValue;
    return true;
  }
  fields.message =
      "\"" + text + "\" is not a way to fill holes: choose none or nearest, or type a number.";
  fields.refusedControl = kHolesCombo;
  return false;
}

bool TakeNewSteps(const DialogWindow& window, float xStep, float zStep, ModelPreparation& into,
                  PreparationFields& fields) {
  const bool typedX = !WithoutBlanks(window.GetControlText(kNewXStepField)).empty();
  const bool typedZ = !WithoutBlanks(window.GetControlText(kNewZStepField)).empty();
  into.resample = typedX || typedZ;
  into.xStep = xStep;
  into.zStep = zStep;
  return (!typedX || TakeNumber(window, kNewXStepField, into.xStep, fields)) &&
         (!typedZ || TakeNumber(window, kNewZStepField, into.zStep, fields));
}

bool TakeBorder(const DialogWindow& window, Border& border, PreparationFields& fields) {
  const std::string text = window.GetControlText(kBorderField);
  border = Border();
  if (WithoutBlanks(text).empty() || ReadBorder(text, border)) return true;
  fields.message = "\"" + text +
                   "\" is not a border: type four whole numbers of nodes, left,right,top,bottom, "
                   "as 10,10,0,20.";
  fields.refusedControl = kBorderField;
  return false;
}

}  // namespace

void InitPreparationFields(DialogWindow& window) {
  for (const auto& [combo, choices, count] :
       {std::tuple{kDensitySourceCombo, kDensitySources, std::size(kDensitySources)},
        std::tuple{kVsSourceCombo, kVsSources, std::size(kVsSources)}}) {
    window.ResetComboList(combo);
    for (std::size_t i = 0; i < count; ++i) window.AddComboString(combo, choices[i].name);
    window.SetComboSelection(combo, 0);
  }
  window.ResetComboList(kHolesCombo);
  window.AddComboString(kHolesCombo, kNoFilling);
  window.AddComboString(kHolesCombo, kNearestFilling);
  window.SetComboSelection(kHolesCombo, 0);
  const ModelPreparation defaults;
  window.SetControlText(kVsRatioField, "1.73");
  window.SetControlText(kWaterVpField, FormatShortest(defaults.waterVp));
  window.SetControlText(kWaterDensityField, FormatShortest(defaults.waterDensity));
}

PropertyRule ChosenRule(const DialogWindow& window, PropertyKind kind) {
  if (kind == PropertyKind::kVp) return PropertyRule::kFile;
  const bool density = kind == PropertyKind::kDensity;
  const int index = window.GetComboSelection(density ? kDensitySourceCombo : kVsSourceCombo);
  const std::size_t count = density ? std::size(kDensitySources) : std::size(kVsSources);
  if (index < 0 || static_cast<std::size_t>(index) >= count) return PropertyRule::kFile;
  return (density ? kDensitySources : kVsSources)[index].rule;
}

void ChooseFileSource(DialogWindow& window, PropertyKind kind) {
  const int sourceCombo = kPropertyControls[kind].sourceCombo;
  if (sourceCombo != 0) window.SetComboSelection(sourceCombo, 0);
}

void EnableRuleFields(DialogWindow& window) {
  bool anyRule = false;
  for (const GridProperty& property : kGridProperties) {
    anyRule = anyRule || ChosenRule(window, property.kind) != PropertyRule::kFile;
  }
  window.EnableControl(kVsRatioField,
                       ChosenRule(window, PropertyKind::kVs) == PropertyRule::kVpRatio);
  window.EnableControl(kWaterVpField, anyRule);
  window.EnableControl(kWaterDensityField, anyRule);
}

PreparationFields TakePreparationFields(const DialogWindow& window, float xStep, float zStep) {
  PreparationFields fields;
  ModelPreparation& preparation = fields.preparation;
  bool anyRule = false;
  for (const GridProperty& property : kGridProperties) {
    PropertySource& source = preparation.sources[property.kind];
    source.rule = ChosenRule(window, property.kind);
    anyRule = anyRule || IsDerived(source);
    if (source.rule == PropertyRule::kVpRatio &&
        !TakeNumber(window, kVsRatioField, source.ratio, fields)) {
      return fields;
    }
  }
  if (anyRule && !(TakeNumber(window, kWaterVpField, preparation.waterVp, fields) &&
                   TakeNumber(window, kWaterDensityField, preparation.waterDensity, fields))) {
    return fields;
  }
  HoleFill fill;
  if (!TakeHoleFill(window, fill, fields)) return fields;
  for (PropertySource& source : preparation.sources.each) source.fill = fill;
  if (TakeNewSteps(window, xStep, zStep, preparation, fields)) {
    TakeBorder(window, preparation.border, fields);
  }
  return fields;
}
