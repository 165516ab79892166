// The application: starts the conversion dialog, the program's only window, and ends when it
// closes. It never runs a message loop of its own: the dialog's modal run is the only one.
#pragma once

namespace ui {
class CommonDialogs;
}

class ConvertApp {
 public:
  // `dialogs` shows every message box and file dialog of the program.
  explicit ConvertApp(ui::CommonDialogs& dialogs);

  // Switches on the common controls, constructs the conversion dialog (which may end the
  // process when a picture file is missing), runs it modally and destroys it. Returns false:
  // the program then ends, whether the dialog ended with OK or Cancel.
  bool InitInstance();

 private:
  ui::CommonDialogs& dialogs_;
};
