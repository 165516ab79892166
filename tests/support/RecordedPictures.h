#pragma once

#include <string>
#include <vector>

#include "dialog/ModelPictureView.h"

// What the dialog asked its picture to show, in turn; a cleared picture shows no values, its
// title the reason given.
struct RecordedPictures : ModelPictureView {
  void ShowPicture(const GridPictureRequest& request) override { shown.push_back(request); }
  void ClearPicture(const std::string& why) override {
    shown.emplace_back();
    shown.back().title = why;
  }
  std::vector<GridPictureRequest> shown;
};
