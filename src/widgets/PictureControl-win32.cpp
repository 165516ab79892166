#include "widgets/PictureControl-win32.h"

#include <utility>

void PictureControl::SetPainter(Painter painter) {
  painter_ = std::move(painter);
  Redraw();
}

void PictureControl::Redraw() {
  stale_ = true;
  Invalidate(true);
}

void PictureControl::Show(const std::uint8_t* rgb, std::int32_t width, std::int32_t height) {
  if (!image_.CopyRgbRows(rgb, width, height)) image_.Release();
}

LRESULT PictureControl::OnPaint(WPARAM, LPARAM) {
  if (stale_) {
    stale_ = false;
    image_.Release();
    RECT client = {};
    GetClientRect(GetHandle(), &client);
    if (painter_ && client.right > 0 && client.bottom > 0)
      painter_(*this, client.right, client.bottom);
  }
  if (!image_.HasImage()) return Default();
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(GetHandle(), &paint);
  image_.Paint(dc, 0, 0);
  RECT client = {};
  GetClientRect(GetHandle(), &client);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const RECT beside = {image_.Width(), 0, client.right, client.bottom};
  const RECT below = {0, image_.Height(), image_.Width(), client.bottom};
  FillRect(dc, &beside, white);
  FillRect(dc, &below, white);
  EndPaint(GetHandle(), &paint);
  return 0;
}

LRESULT PictureControl::OnEraseBkgnd(WPARAM, LPARAM) {
  // The picture covers every pixel; erasing first would flicker.
  if (image_.HasImage() && !stale_) return 1;
  return Default();
}

LRESULT PictureControl::OnSize(WPARAM, LPARAM) {
  Redraw();
  return Default();
}

LRESULT PictureControl::OnSetCursor(WPARAM, LPARAM) {
  // A picture on show can be clicked.
  if (!image_.HasImage()) return Default();
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
  return TRUE;
}

// clang-format off
UI_BEGIN_MESSAGE_MAP(PictureControl, ui::Window)
  ui::OnMessage(WM_PAINT, &PictureControl::OnPaint),
  ui::OnMessage(WM_ERASEBKGND, &PictureControl::OnEraseBkgnd),
  ui::OnMessage(WM_SIZE, &PictureControl::OnSize),
  ui::OnMessage(WM_SETCURSOR, &PictureControl::OnSetCursor),
UI_END_MESSAGE_MAP()
    // clang-format on
