#include "dialog/EnlargedPicture-win32.h"

#include <utility>

#include "dialog/WindowPlacement.h"
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
  // The size asked for, beside the owner within the work area of its screen (PlaceBeside).
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(owner_.GetHandle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  RECT frame = {0, 0, size_.cx, size_.cy};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(GetHandle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(GetHandle(), GWL_EXSTYLE)));
  RECT owner = {};
  GetWindowRect(owner_.GetHandle(), &owner);
  const ScreenRect placed = PlaceBeside({owner.left, owner.top, owner.right, owner.bottom},
                                        {work.left, work.top, work.right, work.bottom},
                                        frame.right - frame.left, frame.bottom - frame.top);
  SetWindowPos(GetHandle(), nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
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
