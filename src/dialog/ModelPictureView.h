#pragma once
// Where the dialog's logic shows the model as it will be written: the window draws the picture
// at the sizes it has room for; tests record what it was asked to show.

#include "picture/GridPicture.h"

class ModelPictureView {
 public:
  virtual ~ModelPictureView() = default;

  // The request's width and height are the view's to choose. Its values stay valid until the
  // next call.
  virtual void ShowPicture(const GridPictureRequest& request) = 0;
  // No property is loaded, or its grid has no shape yet.
  virtual void ClearPicture() = 0;
};
