#include "dialog/ModelPicture.h"

#include "dialog/ConvertDialogControls.h"
#include "dialog/ModelPictureView.h"
#include "grid/NumberText.h"
#include "picture/GridPicture.h"
#include "ui/DialogWindow.h"

const GridProperty* ModelPicture::Pictured(const PerProperty<bool>& used) const {
  if (choice_ != nullptr && used[choice_->kind]) return choice_;
  for (const GridProperty& property : kGridProperties) {
    if (used[property.kind]) return &property;
  }
  return nullptr;
}

void ModelPicture::ShowChoices(const PerProperty<bool>& used) {
  window_.ResetComboList(kPictureCombo);
  const GridProperty* pictured = Pictured(used);
  for (const GridProperty& property : kGridProperties) {
    if (!used[property.kind]) continue;
    const int index = window_.AddComboString(kPictureCombo, property.name);
    if (&property == pictured) window_.SetComboSelection(kPictureCombo, index);
  }
  window_.EnableControl(kPictureCombo, pictured != nullptr);
}

void ModelPicture::OnChoice(const PerProperty<bool>& used) {
  int index = window_.GetComboSelection(kPictureCombo);
  for (const GridProperty& property : kGridProperties) {
    if (used[property.kind] && index-- == 0) choice_ = &property;
  }
}

void ModelPicture::Redraw(const PerProperty<PictureSource>& sources,
                          const std::optional<ShownGrid>& grid) {
  PerProperty<bool> used;
  for (const GridProperty& property : kGridProperties) {
    used[property.kind] = sources[property.kind].used;
  }
  const GridProperty* property = Pictured(used);
  if (property == nullptr || !grid || sources[property->kind].values == nullptr) {
    view_.ClearPicture();
    return;
  }
  const PictureSource& source = sources[property->kind];
  GridPictureRequest request;
  request.values = source.values;
  request.nx = grid->nx;
  request.nz = grid->nz;
  request.window = grid->window;
  const PictureWindow& w = grid->window;
  std::string part;
  if (w.nx < request.nx || w.nz < request.nz) {
    part = GridSizeText(w.nx, w.nz) +
           (w.x != 0 || w.z != 0 ? " from x " + FormatInteger(w.x) + ", z " + FormatInteger(w.z)
                                 : "") +
           " of ";
  }
  request.title = source.name + ": " + property->code + " (" + property->name + "), " + part +
                  GridSizeText(request.nx, request.nz);
  if (grid->dx > 0 && grid->dz > 0) {
    request.dx = grid->dx;
    request.dz = grid->dz;
    request.title += ", " + GridStepsText(grid->dx, grid->dz);
  }
  request.factor = source.unit != nullptr ? source.unit->factor : 1.0f;
  request.unit = source.unit != nullptr ? property->unit : "file's units";
  view_.ShowPicture(request);
}
