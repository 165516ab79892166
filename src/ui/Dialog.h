// A dialog from a resource template, run modally (DoModal) or modelessly (Create), with the
// usual hooks: OnInitDialog, DoDataExchange, OnOK and OnCancel.
//
// The modal run is our own message loop, not the system's DialogBox: it passes keyboard
// messages to IsDialogMessage of whichever of our dialogs they are for, so a modeless dialog
// opened during the run (the About box) gets Tab, Enter and Esc too.
//
// The dialog window is subclassed when it is created: its messages go through the message
// maps (the derived class's first, then Dialog's, which sends IDOK to OnOK and IDCANCEL to
// OnCancel), and the system's dialog procedure does whatever no handler took.
//
// A dialog that its initialisation neither showed nor moved opens centred: a modal one on its
// owner, one without an owner on the screen. A modeless box with an enabled owner stays where
// its template puts it.
#pragma once

#include <windows.h>

#include "ui/MessageMap.h"
#include "ui/Win32DialogWindow.h"
#include "ui/Window.h"

class DataExchange;

namespace ui {

class CommonDialogs;

class Dialog : public Window {
 public:
  // templateId: a dialog template in the program's resources. `dialogs` shows this dialog's
  // message boxes and file dialogs, among them those of a failed data exchange.
  Dialog(int templateId, CommonDialogs& dialogs);
  // Destroys the window if it still exists.
  ~Dialog() override;

  // Creates the window from the template, owned by `owner` (which is disabled for the run,
  // from before the initialisation), shows it and serves messages until EndDialog; then
  // enables the owner again and destroys the window. Returns EndDialog's result; -1 when the
  // window could not be created or went away without EndDialog.
  INT_PTR DoModal(HWND owner = nullptr);
  // Creates the window from the template, owned by `owner`; it is shown only when the
  // template says so. False when it could not be created.
  bool Create(HWND owner = nullptr);
  // Modal: ends the run with `result` once the current message is done. Modeless: destroys
  // the window.
  void EndDialog(INT_PTR result);
  bool IsModal() const { return modal_; }

  // The controls' texts into the members, through DoDataExchange. False when a field failed
  // validation (the user has been told).
  bool TakeControlTexts();
  // The members shown in the controls.
  void ShowMembers();

  // The dialog's controls, message boxes and file dialogs, as a dialog's logic sees them.
  DialogWindow& Controls() { return controls_; }
  CommonDialogs& Dialogs() { return dialogs_; }

  // Our dialog behind a window, or nullptr.
  static Dialog* FromDialogHandle(HWND window);
  // For a message loop: hands a keyboard message to IsDialogMessage of the top-level dialog of
  // ours that it is for. True when it was taken there (not to be dispatched again).
  static bool PreTranslateDialogMessage(MSG& message);

 protected:
  // After the window and its controls exist, before it is shown. The base shows the members
  // (ShowMembers). True lets the system put the focus on the first control.
  virtual bool OnInitDialog();
  // Binds controls to members; the base has none.
  virtual void DoDataExchange(DataExchange& exchange);
  // IDOK (the OK button, Enter): takes the controls in and, when they are valid, ends with IDOK.
  virtual void OnOK();
  // IDCANCEL (Cancel, Esc, the close box): ends with IDCANCEL.
  virtual void OnCancel();

  UI_DECLARE_MESSAGE_MAP()

  LRESULT OnOkCommand(WPARAM wParam, LPARAM lParam);
  // The controls' timer (Win32DialogWindow::WhenPaused); others go on.
  LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
  LRESULT OnCancelCommand(WPARAM wParam, LPARAM lParam);
  HWND CreateFromTemplate(HWND owner);
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  CommonDialogs& dialogs_;
  Win32DialogWindow controls_;
  bool modal_ = false;
  bool modalEnded_ = false;
  INT_PTR result_ = 0;
};

}  // namespace ui
