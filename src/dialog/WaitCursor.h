#pragma once

#include "ui/DialogWindow.h"

// Shows the wait cursor while the dialog works: a file read or written, a model measured.
class WaitCursor {
 public:
  explicit WaitCursor(DialogWindow& window) : window_(window) { window_.ShowWaitCursor(true); }
  ~WaitCursor() { window_.ShowWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  DialogWindow& window_;
};
