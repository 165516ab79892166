#pragma once

#include <vector>

#include "dialog/ModelPictureView.h"

// What the dialog asked its picture to show, in turn; a cleared picture shows no values.
struct RecordedPictures : ModelPictureView {
  void ShowPicture(const GridPictureRequest& request) override { shown.push_back(request); }
  void ClearPicture() override { shown.emplace_back(); }
  std::vector<GridPictureRequest> shown;
};
