// The About box with the program's help text (template IDD_ABOUT): modal from the conversion
// dialog's system menu, modeless from its help picture.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Dialog.h"

// Posted by a modeless About box to its owner when it closes; both parameters are 0.
inline constexpr UINT WM_ABOUT_CLOSED = WM_USER + 10;
// The system-menu command that opens the About box modally.
inline constexpr UINT SYSCMD_ABOUT = 0x0010;
// The standard help command; there is no help file, the About box's text is the help.
inline constexpr UINT ID_HELP = 0xE146;

class AboutDialog : public ui::Dialog {
 public:
  // The modal box: nobody to tell when it closes.
  explicit AboutDialog(ui::CommonDialogs& dialogs);
  // The modeless box: `owner` owns its window and hears WM_ABOUT_CLOSED when it closes.
  AboutDialog(ui::CommonDialogs& dialogs, const ui::Window& owner);

  // Creates the (hidden) window of the modeless box, owned by the owner's window; the caller
  // shows it. False when it could not be created.
  bool CreateModeless();

  // Shown in the help text control (IDC_HELP_TEXT); empty until the box initialises.
  std::string helpText;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  // The box has no OK button: Enter closes it like Esc.
  void OnOK() override;
  // Esc, the close box or Close in its menu. Modeless: tells the owner, then destroys the
  // window. Modal: ends the run.
  void OnCancel() override;

 private:
  const ui::Window* owner_ = nullptr;
};
