#include "dialog/HelpPicture.h"

#include <gtest/gtest.h>

namespace {

// Points in client pixels: inside the picture, and over the dialog's surface outside it.
constexpr int kInX = 560, kInY = 470;
constexpr int kOutX = 300, kOutY = 300;

TEST(HelpPictureTest, StartsAtRestWithItsPlaceAndSize) {
  const HelpPicture picture;
  EXPECT_EQ(picture.pictureRect.left, 540);
  EXPECT_EQ(picture.pictureRect.top, 456);
  EXPECT_EQ(picture.pictureRect.right, 618);
  EXPECT_EQ(picture.pictureRect.bottom, 493);
  EXPECT_EQ(picture.pictureWidth, 78);
  EXPECT_EQ(picture.pictureHeight, 37);
  EXPECT_EQ(picture.pictureHover, 0);
  EXPECT_EQ(picture.aboutOpen, 0);
}

TEST(HelpPictureTest, InsideIncludesTheTopLeftEdgesOnly) {
  const HelpPicture picture;
  EXPECT_TRUE(picture.Contains(540, 456));
  EXPECT_TRUE(picture.Contains(617, 492));
  EXPECT_FALSE(picture.Contains(618, 456));
  EXPECT_FALSE(picture.Contains(540, 493));
  EXPECT_FALSE(picture.Contains(539, 470));
  EXPECT_FALSE(picture.Contains(560, 455));
}

TEST(HelpPictureTest, HoverImageIsDrawnOnceOnEnteringAndNormalOnLeaving) {
  HelpPicture picture;
  EXPECT_EQ(picture.OnMouseMove(kOutX, kOutY), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(540, 456), PictureImage::kHover);
  EXPECT_EQ(picture.pictureHover, 1);
  EXPECT_EQ(picture.OnMouseMove(617, 492), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(kInX, kInY), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(618, 492), PictureImage::kNormal);
  EXPECT_EQ(picture.pictureHover, 0);
  EXPECT_EQ(picture.OnMouseMove(kOutX, kOutY), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(617, 492), PictureImage::kHover);
}

TEST(HelpPictureTest, RepaintShowsTheNormalImageAndKeepsTheHoverFlag) {
  HelpPicture picture;
  EXPECT_EQ(picture.OnPaint(), PictureImage::kNormal);
  picture.OnMouseMove(kInX, kInY);
  EXPECT_EQ(picture.OnPaint(), PictureImage::kNormal);
  EXPECT_EQ(picture.pictureHover, 1);
  // The hover image comes back only after leaving over the surface and entering again.
  EXPECT_EQ(picture.OnMouseMove(kInX + 1, kInY), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(kOutX, kOutY), PictureImage::kNormal);
  EXPECT_EQ(picture.OnMouseMove(kInX, kInY), PictureImage::kHover);
}

TEST(HelpPictureTest, PressInsideShowsThePressedImageAndChangesNothing) {
  HelpPicture picture;
  EXPECT_EQ(picture.OnLButtonDown(kOutX, kOutY), PictureImage::kNone);
  EXPECT_EQ(picture.OnLButtonDown(kInX, kInY), PictureImage::kPressed);
  EXPECT_EQ(picture.pictureHover, 0);
  EXPECT_EQ(picture.aboutOpen, 0);
  picture.OnMouseMove(kInX, kInY);
  EXPECT_EQ(picture.OnLButtonDown(kInX, kInY), PictureImage::kPressed);
  EXPECT_EQ(picture.pictureHover, 1);
}

TEST(HelpPictureTest, ReleaseInsideOpensTheAboutBoxAndShowsHover) {
  HelpPicture picture;
  picture.OnMouseMove(kInX, kInY);
  picture.OnLButtonDown(kInX, kInY);
  const PictureAction action = picture.OnLButtonUp(kInX, kInY);
  EXPECT_TRUE(action.openAbout);
  EXPECT_EQ(action.draw, PictureImage::kHover);
  EXPECT_EQ(picture.aboutOpen, 1);
}

TEST(HelpPictureTest, PressInsideMoveOutReleaseOutsideOpensNothing) {
  HelpPicture picture;
  picture.OnMouseMove(kInX, kInY);
  EXPECT_EQ(picture.OnLButtonDown(kInX, kInY), PictureImage::kPressed);
  EXPECT_EQ(picture.OnMouseMove(kOutX, kOutY), PictureImage::kNormal);
  const PictureAction action = picture.OnLButtonUp(kOutX, kOutY);
  EXPECT_FALSE(action.openAbout);
  EXPECT_EQ(action.draw, PictureImage::kNone);
  EXPECT_EQ(picture.aboutOpen, 0);
}

TEST(HelpPictureTest, PressOutsideReleaseInsideOpensTheAboutBox) {
  HelpPicture picture;
  EXPECT_EQ(picture.OnLButtonDown(kOutX, kOutY), PictureImage::kNone);
  const PictureAction action = picture.OnLButtonUp(617, 492);
  EXPECT_TRUE(action.openAbout);
  EXPECT_EQ(action.draw, PictureImage::kHover);
}

TEST(HelpPictureTest, SecondClickWhileOpenOnlyShowsHoverUntilTheBoxIsClosed) {
  HelpPicture picture;
  ASSERT_TRUE(picture.OnLButtonUp(kInX, kInY).openAbout);

  EXPECT_EQ(picture.OnLButtonDown(kInX, kInY), PictureImage::kPressed);
  PictureAction again = picture.OnLButtonUp(kInX, kInY);
  EXPECT_FALSE(again.openAbout);
  EXPECT_EQ(again.draw, PictureImage::kHover);
  EXPECT_EQ(picture.aboutOpen, 1);

  picture.OnAboutClosed();
  EXPECT_EQ(picture.aboutOpen, 0);
  again = picture.OnLButtonUp(kInX, kInY);
  EXPECT_TRUE(again.openAbout);
  EXPECT_EQ(picture.aboutOpen, 1);
}

TEST(HelpPictureTest, ClosingTheBoxKeepsThePictureState) {
  HelpPicture picture;
  picture.OnMouseMove(kInX, kInY);
  picture.OnLButtonUp(kInX, kInY);
  picture.OnAboutClosed();
  picture.OnAboutClosed();  // a late second notice changes nothing
  EXPECT_EQ(picture.aboutOpen, 0);
  EXPECT_EQ(picture.pictureHover, 1);
  EXPECT_EQ(picture.OnMouseMove(kInX, kInY), PictureImage::kNone);
}

}  // namespace
