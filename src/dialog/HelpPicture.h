// The help picture in the conversion dialog's corner: a picture button drawn straight on the
// dialog's surface, with a normal, a hover and a pressed image, whose click opens the About box.
// This class holds its state and decides; the window side draws and opens what it says.
#pragma once

// A rectangle in client pixels; a point is inside when left <= x < right and top <= y < bottom.
struct PictureRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

// Which image to draw at the picture's place.
enum class PictureImage { kNone, kNormal, kHover, kPressed };

// What the window side does after a button release.
struct PictureAction {
  PictureImage draw = PictureImage::kNone;
  bool openAbout = false;  // create and show the modeless About box, owned by the dialog
};

class HelpPicture {
 public:
  // The picture's place in client pixels, just right of the Cancel button as the template lays it
  // out in the dialog's own font (PlaceRightOf).
  PictureRect pictureRect{540, 456, 618, 493};
  int pictureWidth = 78;
  int pictureHeight = 37;
  bool pictureHover = false;  // the pointer entered the picture and has not left it
  bool aboutOpen = false;     // an About box opened by the picture exists

  bool Contains(int x, int y) const { return pictureRect.Contains(x, y); }
  // Places the picture just right of a button (the Cancel button, in client pixels), so that it
  // stays beside it whatever size the dialog's font gives the dialog.
  void PlaceRightOf(const PictureRect& button);

  // The image changes only when the pointer crosses the picture's edge.
  PictureImage OnMouseMove(int x, int y);
  // A press inside shows the pressed image; it is not remembered.
  PictureImage OnLButtonDown(int x, int y) const;
  // A release inside shows the hover image, and opens the About box unless one is open
  // (aboutOpen becomes true). A release inside opens it wherever the press was.
  PictureAction OnLButtonUp(int x, int y);
  // The modeless About box is gone (closed, or it could not be created): a click opens a new one.
  void OnAboutClosed() { aboutOpen = false; }
  // Every repaint shows the normal image; the hover flag keeps its value.
  PictureImage OnPaint() const { return PictureImage::kNormal; }
};
