#include <algorithm>

#include "widgets/ShadeButton.h"

namespace {

// Grain for every button of the program comes from one sequence, as from the C runtime's
// rand(): successive buttons differ, and every run starts the sequence afresh.
ShadeRandom& ProgramShadeRandom() {
  static ShadeRandom random;
  return random;
}

bool TrackLeave(HWND window, DWORD flags) {
  TRACKMOUSEEVENT request = {};
  request.cbSize = sizeof request;
  request.dwFlags = flags;
  request.hwndTrack = window;
  request.dwHoverTime = 0;
  return TrackMouseEvent(&request) != FALSE;
}

}  // namespace

UI_BEGIN_MESSAGE_MAP(ShadeButton, ui::Window)
ui::OnMessage(WM_ERASEBKGND, &ShadeButton::OnEraseBkgnd),
    ui::OnMessage(WM_LBUTTONDOWN, &ShadeButton::OnLButtonDown),
    ui::OnMessage(WM_LBUTTONUP, &ShadeButton::OnLButtonUp),
    ui::OnMessage(WM_MOUSEMOVE, &ShadeButton::OnMouseMove),
    ui::OnMessage(WM_LBUTTONDBLCLK, &ShadeButton::OnLButtonDblClk),
    ui::OnMessage(WM_KILLFOCUS, &ShadeButton::OnKillFocus),
    ui::OnMessage(WM_MOUSELEAVE, &ShadeButton::OnMouseLeave),
    UI_END_MESSAGE_MAP()

        ShadeButton::ShadeButton()
    : textColour(GetSysColor(COLOR_BTNTEXT)) {}

ShadeButton::~ShadeButton() = default;

void ShadeButton::PreSubclassWindow() {
  Window::PreSubclassWindow();
  ModifyStyle(0, BS_OWNERDRAW);
}

void ShadeButton::SetFlatStyle(bool flat) { flatStyle = flat; }

bool ShadeButton::AssignIcon(unsigned iconId, unsigned placement) {
  HICON loaded = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId & 0xFFFFu));
  if (loaded == nullptr) {
    icon = nullptr;
    return false;
  }
  return AssignIcon(loaded, placement);
}

bool ShadeButton::AssignIcon(HICON iconHandle, unsigned placement) {
  icon = iconHandle;
  if (icon == nullptr) return false;

  // The icon is taken to be twice its hot spot wide and high.
  ICONINFO info = {};
  LONG hotX = 0;
  LONG hotY = 0;
  if (GetIconInfo(icon, &info)) {
    hotX = static_cast<LONG>(info.xHotspot);
    hotY = static_cast<LONG>(info.yHotspot);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  }
  const LONG iconWidth = 2 * hotX;
  const LONG iconHeight = 2 * hotY;

  RECT window = {};
  GetWindowRect(*this, &window);
  const LONG width = window.right - window.left;
  const LONG middle = (window.bottom - window.top) / 2;

  LONG x;
  LONG y;
  if (placement == BS_LEFT) {
    x = focusInset;
    y = std::max(middle - hotY, 0L);
  } else if (placement == BS_RIGHT) {
    x = width - iconWidth - focusInset;
    y = std::max(middle - hotY, 0L);
  } else {
    placement = BS_CENTER;
    x = std::max(width / 2 - hotX, 0L);
    y = std::max(middle - iconHeight, 0L);  // above the middle line, the caption below
  }
  iconPlacement = placement;
  iconRect = {x, y, x + iconWidth, y + iconHeight};
  return true;
}

void ShadeButton::GenerateFaces(std::uint32_t kind, std::uint8_t grain, std::uint8_t hoverPercent,
                                std::uint8_t tintPercent, COLORREF tintColour) {
  GenerateFaces(kind, grain, hoverPercent, tintPercent, tintColour, ProgramShadeRandom());
}

void ShadeButton::GenerateFaces(std::uint32_t kind, std::uint8_t grain, std::uint8_t hoverPercent,
                                std::uint8_t tintPercent, COLORREF tintColour,
                                ShadeRandom& random) {
  RECT window = {};
  GetWindowRect(*this, &window);
  const ButtonColours colours = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
                                 GetSysColor(COLOR_BTNHIGHLIGHT)};
  const FaceStyle style = {kind, grain, hoverPercent, tintPercent, tintColour};
  GenerateShadeFaces(window.right - window.left, window.bottom - window.top, focusInset, colours,
                     style, random, faces);
}

LRESULT ShadeButton::OnEraseBkgnd(WPARAM, LPARAM) {
  return 1;  // DrawItem paints every pixel
}

LRESULT ShadeButton::OnLButtonDown(WPARAM, LPARAM) {
  if (hoverActive && TrackLeave(*this, TME_CANCEL | TME_LEAVE)) hoverActive = false;
  pressActive = true;
  return Default();  // the control captures the mouse and shows itself pushed
}

LRESULT ShadeButton::OnLButtonUp(WPARAM, LPARAM) {
  pressActive = false;
  return Default();  // the control lets go and reports a click when released over it
}

LRESULT ShadeButton::OnMouseMove(WPARAM, LPARAM lParam) {
  if (pressActive && GetCapture() == *this) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(*this, &point);
    const bool inside = WindowFromPoint(point) == *this;
    const bool pushed = (Send(BM_GETSTATE) & BST_PUSHED) != 0;
    if (inside != pushed) {
      Send(BM_SETSTATE, inside ? TRUE : FALSE);
      Invalidate(true);
    }
  } else if (!hoverActive && TrackLeave(*this, TME_LEAVE)) {
    hoverActive = true;
    Invalidate(true);
  }
  return Default();
}

LRESULT ShadeButton::OnLButtonDblClk(WPARAM wParam, LPARAM lParam) {
  Send(WM_LBUTTONDOWN, wParam, lParam);  // the second click is a press like the first
  return 0;
}

LRESULT ShadeButton::OnKillFocus(WPARAM, LPARAM) {
  if (GetCapture() == *this) {
    ReleaseCapture();
    pressActive = false;
  }
  return Default();
}

LRESULT ShadeButton::OnMouseLeave(WPARAM, LPARAM) {
  hoverActive = false;
  Invalidate(true);
  return 0;
}
