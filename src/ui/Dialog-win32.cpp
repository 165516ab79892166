#include "ui/Dialog.h"

#include <algorithm>

#include "ui/DataExchange.h"

namespace ui {

namespace {

// Centres a window on `centre`, kept inside `area`.
void PlaceCentred(HWND window, const RECT& centre, const RECT& area) {
  RECT shown = {};
  GetWindowRect(window, &shown);
  const int width = shown.right - shown.left;
  const int height = shown.bottom - shown.top;
  int x = (centre.left + centre.right) / 2 - width / 2;
  int y = (centre.top + centre.bottom) / 2 - height / 2;
  x = std::max<int>(area.left, std::min<int>(x, area.right - width));
  y = std::max<int>(area.top, std::min<int>(y, area.bottom - height));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A top-level dialog whose initialisation neither showed nor moved it, and whose owner is
// disabled (a modal run) or missing, opens centred on its owner, else on the screen. A dialog
// that the template centres or places on the screen is left alone.
void CentreUnplacedDialog(HWND window, const RECT& before) {
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  if ((style & (WS_VISIBLE | WS_CHILD | DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) != 0) return;
  RECT now = {};
  GetWindowRect(window, &now);
  if (now.left != before.left || now.top != before.top) return;
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner != nullptr && IsWindowEnabled(owner)) return;
  if (owner != nullptr && (!IsWindowVisible(owner) || IsIconic(owner))) owner = nullptr;

  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(owner, owner != nullptr ? MONITOR_DEFAULTTONEAREST
                                                            : MONITOR_DEFAULTTOPRIMARY),
                  &monitor);
  RECT centre = monitor.rcWork;
  if (owner != nullptr) GetWindowRect(owner, &centre);
  PlaceCentred(window, centre, monitor.rcWork);
}

}  // namespace

Dialog::Dialog(int templateId, CommonDialogs& dialogs)
    : templateId_(templateId), dialogs_(dialogs), controls_(*this, dialogs) {}

Dialog::~Dialog() {
  if (GetHandle() != nullptr) DestroyWindow(GetHandle());
}

Dialog* Dialog::FromDialogHandle(HWND window) {
  return dynamic_cast<Dialog*>(Window::FromHandle(window));
}

bool Dialog::PreTranslateDialogMessage(MSG& message) {
  if (message.hwnd == nullptr || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
    return false;
  }
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (FromDialogHandle(root) == nullptr) return false;
  return IsDialogMessageA(root, &message) != FALSE;
}

HWND Dialog::CreateFromTemplate(HWND owner) {
  if (GetHandle() != nullptr) return nullptr;
  // WM_INITDIALOG subclasses the window and runs OnInitDialog before this returns.
  HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                                   &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (window != nullptr && GetHandle() != window) {
    DestroyWindow(window);  // created, but never became ours
    return nullptr;
  }
  return window;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
  // Everything else reaches us through the subclassed window procedure first; returning
  // FALSE here lets the system's dialog procedure do the default.
  if (message != WM_INITDIALOG) return FALSE;
  auto* self = reinterpret_cast<Dialog*>(lParam);
  if (self == nullptr || !self->Subclass(window)) return FALSE;
  RECT before = {};
  GetWindowRect(window, &before);
  const bool setFocus = self->OnInitDialog();
  if (IsWindow(window)) CentreUnplacedDialog(window, before);
  return setFocus ? TRUE : FALSE;
}

INT_PTR Dialog::DoModal(HWND owner) {
  if (GetHandle() != nullptr) return -1;
  modal_ = true;
  modalEnded_ = false;
  result_ = -1;
  // The owner is disabled before the initialisation, which centres a modal box on it.
  const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
  HWND window = CreateFromTemplate(owner);
  if (window == nullptr) {
    if (disableOwner) EnableWindow(owner, TRUE);
    modal_ = false;
    return -1;
  }
  ShowWindow(window, SW_SHOW);

  MSG message;
  while (!modalEnded_ && GetHandle() != nullptr) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside ours
      break;
    }
    if (got == -1) break;
    if (PreTranslateDialogMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }

  // Enable the owner before the window goes, so that the owner is activated, not another
  // program's window.
  if (disableOwner) EnableWindow(owner, TRUE);
  if (GetHandle() != nullptr) {
    if (owner != nullptr && GetActiveWindow() == GetHandle()) SetActiveWindow(owner);
    DestroyWindow(GetHandle());
  }
  modal_ = false;
  return result_;
}

bool Dialog::Create(HWND owner) {
  modal_ = false;
  return CreateFromTemplate(owner) != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  if (modal_) {
    modalEnded_ = true;
    Post(WM_NULL);  // wakes the loop when it is waiting
  } else if (GetHandle() != nullptr) {
    DestroyWindow(GetHandle());
  }
}

bool Dialog::TakeControlTexts() {
  DataExchange exchange(controls_, true);
  DoDataExchange(exchange);
  return !exchange.failed();
}

void Dialog::ShowMembers() {
  DataExchange exchange(controls_, false);
  DoDataExchange(exchange);
}

bool Dialog::OnInitDialog() {
  ShowMembers();
  return true;
}

void Dialog::DoDataExchange(DataExchange&) {}

void Dialog::OnOK() {
  if (!TakeControlTexts()) return;
  EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT Dialog::OnOkCommand(WPARAM, LPARAM) {
  OnOK();
  return 0;
}

LRESULT Dialog::OnCancelCommand(WPARAM, LPARAM) {
  OnCancel();
  return 0;
}

LRESULT Dialog::OnTimer(WPARAM wParam, LPARAM) {
  if (!controls_.OnTimer(wParam)) NotHandled();
  return 0;
}

// clang-format off
UI_BEGIN_MESSAGE_MAP(Dialog, Window)
  OnMessage(WM_TIMER, &Dialog::OnTimer),
  OnCommand(BN_CLICKED, IDOK, &Dialog::OnOkCommand),
  OnCommand(BN_CLICKED, IDCANCEL, &Dialog::OnCancelCommand),
UI_END_MESSAGE_MAP()
// clang-format on

}  // namespace ui
