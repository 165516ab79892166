#include "dialog/HelpPicture.h"

PictureImage HelpPicture::OnMouseMove(int x, int y) {
  const bool inside = Contains(x, y);
  if (!pictureHover && inside) {
    pictureHover = true;
    return PictureImage::kHover;
  }
  if (pictureHover && !inside) {
    pictureHover = false;
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
  if (!aboutOpen) {
    action.openAbout = true;
    aboutOpen = true;
  }
  action.draw = PictureImage::kHover;
  return action;
}
