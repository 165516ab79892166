#pragma once
// Where the dialog's logic shows the model as it will be written: the window draws the picture
// at the sizes it has room for; tests record what it was asked to show.

#include <string>

#include "picture/GridPicture.h"

class ModelPictureView {
 public:
  virtual ~ModelPictureView() = default;

  // The request's width and height are the view's to choose. Its values stay valid until the
  // next call.
  virtual void ShowPicture(const GridPictureRequest& request) = 0;
  // No picture: `why` says what stops the model from being made; "" while no property is.
  virtual void ClearPicture(const std::string& why) = 0;
};
