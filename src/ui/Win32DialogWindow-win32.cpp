#include "ui/Win32DialogWindow.h"

#include <utility>

#include "ui/CommonDialogs.h"
#include "ui/Window.h"

namespace ui {

namespace {

// The timer that waits for a pause in the user's typing, and how long a pause is.
constexpr UINT_PTR kPauseTimer = 0x5D1;
constexpr UINT kPauseMs = 250;

}  // namespace

Win32DialogWindow::Win32DialogWindow(const Window& dialog, CommonDialogs& dialogs)
    : dialog_(dialog), dialogs_(dialogs) {}

HWND Win32DialogWindow::Item(int controlId) const {
  HWND dialog = dialog_.GetHandle();
  return dialog == nullptr ? nullptr : GetDlgItem(dialog, controlId);
}

std::string WindowText(HWND window) {
  if (window == nullptr) return std::string();
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::string Win32DialogWindow::GetControlText(int controlId) const {
  // A drop-down combo box's window text is its edit field's.
  return WindowText(Item(controlId));
}

void Win32DialogWindow::SetControlText(int controlId, const std::string& text) {
  // Text that stays the same is not set again: setting it would drop the selection that Tab
  // made in the field the user is about to type into.
  HWND item = Item(controlId);
  if (item != nullptr && WindowText(item) != text) SetWindowTextA(item, text.c_str());
}

bool Win32DialogWindow::IsTyped(int controlId) const {
  // The edit field's modify flag: set by the user's typing, cleared by a text set.
  HWND item = Item(controlId);
  return item != nullptr && SendMessageA(item, EM_GETMODIFY, 0, 0) != 0;
}

void Win32DialogWindow::EnableControl(int controlId, bool enable) {
  if (HWND item = Item(controlId)) EnableWindow(item, enable ? TRUE : FALSE);
}

void Win32DialogWindow::FocusControl(int controlId) {
  // The dialog's own way, which selects an edit field's text as Tab does.
  if (HWND item = Item(controlId)) {
    SendMessageA(dialog_.GetHandle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
  }
}

void Win32DialogWindow::ResetComboList(int controlId) {
  HWND item = Item(controlId);
  if (item == nullptr) return;
  SendMessageA(item, CB_RESETCONTENT, 0, 0);
  SetWindowTextA(item, "");
}

int Win32DialogWindow::AddComboString(int controlId, const std::string& text) {
  HWND item = Item(controlId);
  if (item == nullptr) return -1;
  LRESULT index = SendMessageA(item, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return index < 0 ? -1 : static_cast<int>(index);
}

void Win32DialogWindow::SetComboSelection(int controlId, int index) {
  // -1 removes the selection and empties the edit field.
  if (HWND item = Item(controlId)) SendMessageA(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32DialogWindow::GetComboSelection(int controlId) const {
  HWND item = Item(controlId);
  if (item == nullptr) return -1;
  LRESULT index = SendMessageA(item, CB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

bool Win32DialogWindow::IsChecked(int controlId) const {
  HWND item = Item(controlId);
  return item != nullptr && SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32DialogWindow::SetChecked(int controlId, bool checked) {
  if (HWND item = Item(controlId)) {
    SendMessageA(item, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void Win32DialogWindow::ShowMessage(const std::string& text) {
  ++messagesShown_;
  dialogs_.ShowMessage(dialog_.GetHandle(), text);
  --messagesShown_;
}

bool Win32DialogWindow::AskYesNo(const std::string& text) {
  ++messagesShown_;
  const bool yes = dialogs_.AskYesNo(dialog_.GetHandle(), text);
  --messagesShown_;
  return yes;
}

void Win32DialogWindow::ShowWaitCursor(bool on) {
  // The work runs inside one handler, serving no messages, so the cursor stays until it ends.
  SetCursor(LoadCursorA(nullptr, on ? MAKEINTRESOURCEA(32514) : MAKEINTRESOURCEA(32512)));
}

void Win32DialogWindow::WhenPaused(std::function<void()> work) {
  HWND dialog = dialog_.GetHandle();
  if (dialog == nullptr) return;
  paused_ = std::move(work);
  SetTimer(dialog, kPauseTimer, kPauseMs, nullptr);  // a later call starts the wait again
}

bool Win32DialogWindow::OnTimer(UINT_PTR timer) {
  if (timer != kPauseTimer) return false;
  KillTimer(dialog_.GetHandle(), kPauseTimer);
  std::function<void()> work = std::move(paused_);
  paused_ = nullptr;
  if (work) work();
  return true;
}

FileDialogResult Win32DialogWindow::RunOpenFileDialog(const FileDialogRequest& request) {
  return dialogs_.RunOpenFileDialog(dialog_.GetHandle(), request);
}

FileDialogResult Win32DialogWindow::RunSaveFileDialog(const FileDialogRequest& request) {
  return dialogs_.RunSaveFileDialog(dialog_.GetHandle(), request);
}

}  // namespace ui
