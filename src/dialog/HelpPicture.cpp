#include "dialog/HelpPicture.h"

PictureImage HelpPicture::OnMouseMove(int x, int y) {
  const bool inside = Contains(x, y);
  if (pictureHover == 0 && inside) {
    pictureHover = 1;
    return PictureImage::kHover;
  }
  if (pictureHover == 1 && !inside) {
    pictureHover = 0;
    return PictureImage::kNormal;
  }
  return PictureImage::kNone;
}

PictureImage HelpPicture::OnLButtonDown(int x, int y) const {
  return Contains(x, y) ? PictureImage::kPressed : PictureImage::kNone;
}

PictureAction HelpPicture::OnLButtonUp(int x, int y) {
  PictureAction action;
  if (!Contains(x, y)) return action;
  if (aboutOpen == 0) {
    action.openAbout = true;
    aboutOpen = 1;
  }
  action.draw = PictureImage::kHover;
  return action;
}
