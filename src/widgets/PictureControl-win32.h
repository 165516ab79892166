// A static control of a dialog template that shows a picture drawn for its size. The owner draws
// the picture when the control paints after Redraw or a change of its size, so that several
// changes in one go are drawn once. Without a picture the control shows its own text; with
// SS_NOTIFY its clicks reach the parent as STN_CLICKED.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "ui/MessageMap.h"
#include "ui/Window.h"
#include "widgets/DibSurface.h"

class PictureControl : public ui::Window {
 public:
  // Draws the picture for the control's client area of width x height and hands it to its
  // Show; handing nothing leaves the control's text on show.
  using Painter =
      std::function<void(PictureControl& control, std::int32_t width, std::int32_t height)>;

  void SetPainter(Painter painter);
  // The picture has changed: the painter draws it again before the next paint.
  void Redraw();
  // From the painter: RGB pixels, three bytes each, rows from the top, drawn at the top left
  // corner with white beside and below them.
  void Show(const std::uint8_t* rgb, std::int32_t width, std::int32_t height);

 private:
  LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
  LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
  LRESULT OnSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);

  Painter painter_;
  DibSurface image_;
  bool stale_ = true;

  UI_DECLARE_MESSAGE_MAP()
};
