#include "dialog/HelpPicture.h"

#include <gtest/gtest.h>

namespace {

// Points in client pixels: inside the picture, and over the dialog's surface outside it.
constexpr int kInX = 560, kInY = 470;
constexpr int kOutX = 300, kOutY = 300;

TEST(HelpPictureTest, StartsAtRestAndCountsOnlyTheTopLeftEdgesInside) {
  const HelpPicture picture;
  EXPECT_EQ(picture.pictureHover, 0);
  EXPECT_EQ(picture.aboutOpen, 0);
  EXPECT_TRUE(picture.Contains(540, 456));
  EXPECT_TRUE(picture.Contains(617, 492));
  EXPECT_FALSE(picture.Contains(618, 456));
  EXPECT_FALSE(picture.Contains(540, 493));
  EXPECT_FALSE(picture.Contains(539, 470));
  EXPECT_FALSE(picture.Contains(560, 455));
}

TEST(HelpPictureTest, HoverImageIsDrawnOnceOnEnteringNormalOnLeavingOrRepainting) {
  HelpPicture picture;
  EXPECT_EQ(picture.OnMouseMove(kOutX, kOutY), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(540, 456), PictureImage::kHover);
  EXPECT_EQ(picture.pictureHover, 1);
  EXPECT_EQ(picture.OnMouseMove(617, 492), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(618, 492), PictureImage::kNormal);
  EXPECT_EQ(picture.pictureHover, 0);
  EXPECT_EQ(picture.OnMouseMove(kOutX, kOutY), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(617, 492), PictureImage::kHover);
  // A repaint shows the normal image until the pointer leaves and comes back.
  EXPECT_EQ(picture.OnPaint(), PictureImage::kNormal);
  EXPECT_EQ(picture.pictureHover, 1);
  EXPECT_EQ(picture.OnMouseMove(kInX + 1, kInY), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(kOutX, kOutY), PictureImage::kNormal);
  EXPECT_EQ(picture.OnMouseMove(kInX, kInY), PictureImage::kHover);
}

TEST(HelpPictureTest, PressShowsThePressedImageOnlyAReleaseInsideOpensTheAboutBox) {
  HelpPicture picture;
  EXPECT_EQ(picture.OnLButtonDown(kOutX, kOutY), PictureImage::kNone);
  EXPECT_EQ(picture.OnLButtonDown(kInX, kInY), PictureImage::kPressed);
  EXPECT_EQ(picture.pictureHover, 0);  // a press alone changes no state
  picture.OnMouseMove(kInX, kInY);
  EXPECT_EQ(picture.OnLButtonDown(kInX, kInY), PictureImage::kPressed);
  EXPECT_EQ(picture.OnMouseMove(kOutX, kOutY), PictureImage::kNormal);
  const PictureAction action = picture.OnLButtonUp(kOutX, kOutY);
  EXPECT_FALSE(action.openAbout);
  EXPECT_EQ(action.draw, PictureImage::kNone);
  EXPECT_EQ(picture.aboutOpen, 0);
  // Pressed outside, released inside: opens the About box and shows hover.
  EXPECT_EQ(picture.OnLButtonDown(kOutX, kOutY), PictureImage::kNone);
  const PictureAction opened = picture.OnLButtonUp(617, 492);
  EXPECT_TRUE(opened.openAbout);
  EXPECT_EQ(opened.draw, PictureImage::kHover);
  EXPECT_EQ(picture.aboutOpen, 1);
}

TEST(HelpPictureTest, SecondClickWhileOpenOnlyShowsHoverUntilTheBoxIsClosed) {
  HelpPicture picture;
  picture.OnMouseMove(kInX, kInY);
  ASSERT_TRUE(picture.OnLButtonUp(kInX, kInY).openAbout);

  EXPECT_EQ(picture.OnLButtonDown(kInX, kInY), PictureImage::kPressed);
  PictureAction again = picture.OnLButtonUp(kInX, kInY);
  EXPECT_FALSE(again.openAbout);
  EXPECT_EQ(again.draw, PictureImage::kHover);

  picture.OnAboutClosed();
  EXPECT_EQ(picture.aboutOpen, 0);
  EXPECT_EQ(picture.pictureHover, 1);  // closing the box leaves the pointer state alone
  again = picture.OnLButtonUp(kInX, kInY);
  EXPECT_TRUE(again.openAbout);
  EXPECT_EQ(picture.aboutOpen, 1);
}

}  // namespace
