#include "dialog/RefusalFocus.h"

#include <utility>

#include "dialog/ConvertDialogControls.h"
#include "ui/DialogWindow.h"

int FieldOfRefusal(RequestPart part, const ConversionRequest& request) {
  const ModelPreparation& preparation = request.preparation;
  // With Vp loaded, a Vp/Vs rule is refused for its ratio.
  if (part == RequestPart::kVsSource && request.inputs[PropertyKind::kVp].values != nullptr &&
      preparation.sources[PropertyKind::kVs].rule == PropertyRule::kVpRatio) {
    return kVsRatioField;
  }
  if (part == RequestPart::kWater) {
    return preparation.waterVp >= 0.0f ? kWaterDensityField : kWaterVpField;
  }
  constexpr std::pair<RequestPart, int> kFields[] = {
      {RequestPart::kOutput, kOutputBrowseButton},
      {RequestPart::kInputCount, kInputCountField},
      {RequestPart::kNxWrite, kNxWriteField},
      {RequestPart::kNzWrite, kNzWriteField},
      {RequestPart::kXStep, kXStepField},
      {RequestPart::kZStep, kZStepField},
      {RequestPart::kXFrom, kXFromField},
      {RequestPart::kZFrom, kZFromField},
      {RequestPart::kDensitySource, kDensitySourceCombo},
      {RequestPart::kVsSource, kVsSourceCombo},
      {RequestPart::kHoles, kHolesCombo},
      {RequestPart::kNewXStep, kNewXStepField},
      {RequestPart::kNewZStep, kNewZStepField},
      {RequestPart::kBorder, kBorderField}};
  for (const auto& [each, field] : kFields) {
    if (each == part) return field;
  }
  return 0;
}

void RefusalFocus::PointAt(int controlId) {
  if (controlId == 0) return;
  pointing_ = true;
  window_.FocusControl(controlId);
  pointing_ = false;
}
