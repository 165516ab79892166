// The window interface of a dialog's logic over a real dialog window: controls by id,
// message boxes and file dialogs through CommonDialogs, owned by the dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/DialogWindow.h"

namespace ui {

class CommonDialogs;
class Window;

class Win32DialogWindow : public DialogWindow {
 public:
  // `dialog` may have no window yet; every call uses the window it has at that moment.
  Win32DialogWindow(const Window& dialog, CommonDialogs& dialogs);

  std::string GetControlText(int controlId) const override;
  void SetControlText(int controlId, const std::string& text) override;
  bool IsTyped(int controlId) const override;
  void EnableControl(int controlId, bool enable) override;
  void FocusControl(int controlId) override;
  void ResetComboList(int controlId) override;
  int AddComboString(int controlId, const std::string& text) override;
  void SetComboSelection(int controlId, int index) override;
  int GetComboSelection(int controlId) const override;
  bool IsChecked(int controlId) const override;
  void SetChecked(int controlId, bool checked) override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool IsShowingMessage() const override { return messagesShown_ > 0; }
  void ShowWaitCursor(bool on) override;
  void WhenPaused(std::function<void()> work) override;
  // From the dialog's WM_TIMER: runs the work waiting for the pause when `timer` is its timer.
  // False for another timer.
  bool OnTimer(UINT_PTR timer);
  FileDialogResult RunOpenFileDialog(const FileDialogRequest& request) override;
  FileDialogResult RunSaveFileDialog(const FileDialogRequest& request) override;

 private:
  HWND Item(int controlId) const;

  const Window& dialog_;
  CommonDialogs& dialogs_;
  int messagesShown_ = 0;
  std::function<void()> paused_;  // waiting for the user to pause
};

// The text of any window, of any length.
std::string WindowText(HWND window);

}  // namespace ui
