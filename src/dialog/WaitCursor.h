#pragma once

#include "ui/DialogWindow.h"

// Shows the wait cursor while a file is read or written.
class WaitCursor {
 public:
  explicit WaitCursor(DialogWindow& window) : window_(window) { window_.ShowWaitCursor(true); }
  ~WaitCursor() { window_.ShowWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  DialogWindow& window_;
};
