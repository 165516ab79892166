#include "ui/Dialog.h"

#include "ui/DataExchange.h"

namespace ui {

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
  return self->OnInitDialog() ? TRUE : FALSE;
}

INT_PTR Dialog::DoModal(HWND owner) {
  if (GetHandle() != nullptr) return -1;
  modal_ = true;
  modalEnded_ = false;
  result_ = -1;
  HWND window = CreateFromTemplate(owner);
  if (window == nullptr) {
    modal_ = false;
    return -1;
  }
  const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
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

bool Dialog::UpdateData(bool takeIn) {
  DataExchange exchange(controls_, takeIn);
  DoDataExchange(exchange);
  return !exchange.failed();
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::DoDataExchange(DataExchange&) {}

void Dialog::OnOK() {
  if (!UpdateData(true)) return;
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

// clang-format off
UI_BEGIN_MESSAGE_MAP(Dialog, Window)
  OnCommand(BN_CLICKED, IDOK, &Dialog::OnOkCommand),
  OnCommand(BN_CLICKED, IDCANCEL, &Dialog::OnCancelCommand),
UI_END_MESSAGE_MAP()
// clang-format on

}  // namespace ui
