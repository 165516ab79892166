#pragma once
// Where the focus goes after a refusal: to the field the message is about, so that the next key
// typed mends it.

#include "conversion/ConversionRequest.h"

class DialogWindow;

// The field a refusal of the request points at; 0 for none.
int FieldOfRefusal(RequestPart part, const ConversionRequest& request);

class RefusalFocus {
 public:
  explicit RefusalFocus(DialogWindow& window) : window_(window) {}

  // Moves the focus to a refused field (none for 0).
  void PointAt(int controlId);
  // Within PointAt: the field the focus is taken from is not being left by the user, and its
  // check on leaving says nothing.
  bool Pointing() const { return pointing_; }

 private:
  DialogWindow& window_;
  bool pointing_ = false;
};
