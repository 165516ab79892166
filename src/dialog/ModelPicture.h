#pragma once
// The model's picture as it will be written, and the list that chooses its property: the one
// chosen in the list while it is read from its file, else Vp, else the first so read; the part
// of the grid to be written; the values in m/s or kg/m3 as the unit in the property's box makes
// them (as they are, in "file's units", when the box names no unit); axes in m from the steps
// when both are numbers above 0.

#include <optional>
#include <string>

#include "conversion/Units.h"
#include "dialog/GridFields.h"
#include "grid/GridProperties.h"

class DialogWindow;
class ModelPictureView;

// A property as the picture may show it.
struct PictureSource {
  bool used = false;              // loaded and read from its file, not from a rule
  const float* values = nullptr;  // in the grid's order for the X size chosen; null when not
  std::string name;               // its file's name
  const Unit* unit = nullptr;     // the unit its box names; null when none of its units
};

class ModelPicture {
 public:
  ModelPicture(DialogWindow& window, ModelPictureView& view) : window_(window), view_(view) {}

  // The picture's list: the properties used, the pictured one selected; disabled when none is.
  void ShowChoices(const PerProperty<bool>& used);
  // The property chosen in the list.
  void OnChoice(const PerProperty<bool>& used);
  // Shows the pictured property on the grid shown; clears the picture while either is missing
  // or the property's values are not in the grid's order.
  void Redraw(const PerProperty<PictureSource>& sources, const std::optional<ShownGrid>& grid);

 private:
  // The property the picture shows; null when none is used.
  const GridProperty* Pictured(const PerProperty<bool>& used) const;

  DialogWindow& window_;
  ModelPictureView& view_;
  const GridProperty* choice_ = nullptr;  // chosen in the picture's list
};
