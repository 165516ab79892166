#include "dialog/HelpPicture.h"

#include <gtest/gtest.h>

namespace {

// Points in client pixels: inside the picture, and over the dialog's surface outside it.
constexpr int kInX = 560, kInY = 470;
constexpr int kOutX = 300, kOutY = 300;

TEST(HelpPictureTest, HoverShowsOnceOnEnteringAndNormalOnLeavingOrRepainting) {
  HelpPicture picture;
  // The picture's edges: left and top inside, right and bottom outside.
  EXPECT_EQ(picture.OnMouseMove(539, 470), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(540, 456), PictureImage::kHover);
  EXPECT_EQ(picture.OnMouseMove(617, 492), PictureImage::kNone);  // drawn once only
  EXPECT_EQ(picture.OnMouseMove(618, 492), PictureImage::kNormal);
  EXPECT_EQ(picture.OnMouseMove(617, 493), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(617, 492), PictureImage::kHover);
  // A repaint shows the normal image until the pointer leaves and comes back.
  EXPECT_EQ(picture.OnPaint(), PictureImage::kNormal);
  EXPECT_EQ(picture.OnMouseMove(kInX + 1, kInY), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(kOutX, kOutY), PictureImage::kNormal);
  EXPECT_EQ(picture.OnMouseMove(kInX, kInY), PictureImage::kHover);
}

TEST(HelpPictureTest, AReleaseInsideOpensOneAboutBoxAtATime) {
  HelpPicture picture;
  EXPECT_EQ(picture.OnLButtonDown(kOutX, kOutY), PictureImage::kNone);
  EXPECT_EQ(picture.OnLButtonDown(kInX, kInY), PictureImage::kPressed);
  picture.OnMouseMove(kInX, kInY);
  EXPECT_EQ(picture.OnMouseMove(kOutX, kOutY), PictureImage::kNormal);
  EXPECT_FALSE(picture.OnLButtonUp(kOutX, kOutY).openAbout);  // released outside
  // Pressed outside, released inside: opens the box and shows hover.
  PictureAction action = picture.OnLButtonUp(617, 492);
  EXPECT_TRUE(action.openAbout);
  EXPECT_EQ(action.draw, PictureImage::kHover);
  // A second click while it is open opens nothing; once it is closed, a click opens a new one.
  EXPECT_FALSE(picture.OnLButtonUp(kInX, kInY).openAbout);
  picture.OnAboutClosed();
  EXPECT_TRUE(picture.OnLButtonUp(kInX, kInY).openAbout);
}

// Placed beside the Cancel button as a shorter font lays it out, the picture is where it is drawn.
TEST(HelpPictureTest, ThePictureStaysJustRightOfTheCancelButton) {
  HelpPicture picture;
  picture.PlaceRightOf({444, 421, 525, 460});
  EXPECT_EQ(picture.OnMouseMove(539, 430), PictureImage::kNone);  // between the two
  EXPECT_EQ(picture.OnMouseMove(540, 422), PictureImage::kHover);
  EXPECT_EQ(picture.OnMouseMove(617, 458), PictureImage::kNone);
  EXPECT_EQ(picture.OnMouseMove(540, 459), PictureImage::kNormal);  // below it
}

}  // namespace
