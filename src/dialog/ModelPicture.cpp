#include "dialog/ModelPicture.h"

#include <string>

#include "conversion/PropertyRules.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/ModelPictureView.h"
#include "grid/NumberText.h"
#include "picture/GridPicture.h"
#include "ui/DialogWindow.h"

namespace {

// "3 x 5 at x 1, z 20 of 4 x 25": the window, and where it lies when it is not the whole grid.
std::string WindowText(const GridWindow& w) {
  const std::int32_t rows =
      static_cast<std::int32_t>(w.elementCount / static_cast<std::uint32_t>(w.nxInput));
  std::string text = GridSizeText(w.nxWrite, w.nzWrite);
  if (w.nxWrite == w.nxInput && w.nzWrite == rows) return text;
  if (w.xFrom != 0 || w.zFrom != 0) {
    text += " at x " + FormatInteger(w.xFrom) + ", z " + FormatInteger(w.zFrom);
  }
  return text + " of " + GridSizeText(w.nxInput, rows);
}

// "vp.txt: P (Vp), 270 x 107 from 500 x 174, dx 40 m, dz 40 m": what the values come from, the
// grid written and, when new steps or a border make it, the window it is made from.
std::string Title(const ConversionRequest& request, const GridProperty& property,
                  const PreparedShape& shape) {
  const PropertySource& source = request.preparation.sources[property.kind];
  const std::string from = IsDerived(source) ? RuleName(property.kind, source) + " on " +
                                                   request.inputs[PropertyKind::kVp].name
                                             : request.inputs[property.kind].name;
  const ModelPreparation& preparation = request.preparation;
  const std::string sizes =
      preparation.resample || preparation.border.any()
          ? GridSizeText(static_cast<std::int32_t>(shape.nx), static_cast<std::int32_t>(shape.nz)) +
                " from " + WindowText(request.window)
          : WindowText(request.window);
  return from + ": " + property.code + " (" + property.name + "), " + sizes + ", " +
         GridStepsText(shape.xStep, shape.zStep);
}

// Where node edge `node` of the grid written lies among the values that take every `every`-th
// node, each value spanning one unit centred on its node.
double EdgeAmongSampled(std::int64_t node, std::int32_t every) {
  return (static_cast<double>(node) - 0.5) / every + 0.5;
}

}  // namespace

const GridProperty* ModelPicture::Pictured(const PerProperty<bool>& made) const {
  if (choice_ != nullptr && made[choice_->kind]) return choice_;
  for (const GridProperty& property : kGridProperties) {
    if (made[property.kind]) return &property;
  }
  return nullptr;
}

void ModelPicture::ShowChoices(const PerProperty<bool>& made) {
  window_.ResetComboList(kPictureCombo);
  const GridProperty* pictured = Pictured(made);
  for (const GridProperty& property : kGridProperties) {
    if (!made[property.kind]) continue;
    const int index = window_.AddComboString(kPictureCombo, property.name);
    if (&property == pictured) window_.SetComboSelection(kPictureCombo, index);
  }
  window_.EnableControl(kPictureCombo, pictured != nullptr);
}

void ModelPicture::OnChoice(const PerProperty<bool>& made) {
  int index = window_.GetComboSelection(kPictureCombo);
  for (const GridProperty& property : kGridProperties) {
    if (made[property.kind] && index-- == 0) choice_ = &property;
  }
}

void ModelPicture::Redraw(const PerProperty<bool>& made, const ConversionRequest& request,
                          const Status& checked) {
  sample_ = PreparedSample();
  const GridProperty* property = Pictured(made);
  if (property == nullptr) {
    view_.ClearPicture("");
    return;
  }
  if (!checked.ok()) {
    view_.ClearPicture(checked.message());
    return;
  }
  sample_ = SamplePreparedModel(request, property->kind, kPictureNodes);
  if (!sample_.ok() || sample_.values.empty()) {
    view_.ClearPicture(sample_.status.message());
    return;
  }
  const PreparedShape& shape = sample_.shape;
  GridPictureRequest picture;
  picture.values = sample_.values.data();
  picture.nx = sample_.nx;
  picture.nz = sample_.nz;
  picture.dx = shape.xStep * static_cast<float>(sample_.xEvery);
  picture.dz = shape.zStep * static_cast<float>(sample_.zEvery);
  picture.title = Title(request, *property, shape);
  picture.unit = property->unit;
  const Border& border = request.preparation.border;
  if (border.any()) {
    picture.model = {EdgeAmongSampled(border.left, sample_.xEvery),
                     EdgeAmongSampled(border.top, sample_.zEvery),
                     EdgeAmongSampled(border.left + shape.x.count, sample_.xEvery),
                     EdgeAmongSampled(border.top + shape.z.count, sample_.zEvery)};
  }
  view_.ShowPicture(picture);
}
