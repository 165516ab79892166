#include "dialog/HelpPicture.h"

void HelpPicture::PlaceRightOf(const PictureRect& button) {
  constexpr int kGap = 15;  // as far from the button as the About box's picture is designed
  pictureRect.left = button.right + kGap;
  pictureRect.top = button.top + 1;
  pictureRect.right = pictureRect.left + pictureWidth;
  pictureRect.bottom = pictureRect.top + pictureHeight;
}

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
