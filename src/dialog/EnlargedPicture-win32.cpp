#include "dialog/EnlargedPicture-win32.h"

#include <algorithm>
#include <utility>

#include "resource.h"

EnlargedPicture::EnlargedPicture(ui::CommonDialogs& dialogs, const ui::Window& owner,
                                 PictureControl::Painter painter, SIZE size)
    : Dialog(IDD_MODEL_PICTURE, dialogs),
      owner_(owner),
      painter_(std::move(painter)),
      size_(size) {}

bool EnlargedPicture::Open() {
  if (!Create(owner_.GetHandle())) return false;
  ShowWindow(GetHandle(), SW_SHOWNORMAL);
  return true;
}

bool EnlargedPicture::OnInitDialog() {
  Dialog::OnInitDialog();
  picture_.Subclass(GetDlgItem(GetHandle(), IDC_ENLARGED_PICTURE));
  picture_.SetPainter(painter_);
  // The size asked for, within the work area of the owner's screen, centred on it.
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(owner_.GetHandle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  RECT frame = {0, 0, size_.cx, size_.cy};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(GetHandle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(GetHandle(), GWL_EXSTYLE)));
  const int width = std::min<int>(frame.right - frame.left, area.right - area.left);
  const int height = std::min<int>(frame.bottom - frame.top, area.bottom - area.top);
  SetWindowPos(GetHandle(), nullptr, (area.left + area.right - width) / 2,
               (area.top + area.bottom - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

void EnlargedPicture::OnOK() { OnCancel(); }

void EnlargedPicture::OnCancel() {
  PostMessageA(owner_.GetHandle(), WM_PICTURE_CLOSED, 0, 0);
  if (GetHandle() != nullptr) DestroyWindow(GetHandle());
}

LRESULT EnlargedPicture::OnSize(WPARAM, LPARAM lParam) {
  // The picture fills the window; it redraws itself at its new size.
  MoveWindow(GetDlgItem(GetHandle(), IDC_ENLARGED_PICTURE), 0, 0, LOWORD(lParam), HIWORD(lParam),
             TRUE);
  return 0;
}

// clang-format off
UI_BEGIN_MESSAGE_MAP(EnlargedPicture, ui::Dialog)
  ui::OnMessage(WM_SIZE, &EnlargedPicture::OnSize),
UI_END_MESSAGE_MAP()
    // clang-format on
