// The application: checks and reads the help picture's files, runs the conversion dialog, the
// program's only window, and ends when it closes. It never runs a message loop of its own: the
// dialog's modal run is the only one.
#pragma once

namespace ui {
class CommonDialogs;
}

class ConvertApp {
 public:
  // `dialogs` shows every message box and file dialog of the program.
  explicit ConvertApp(ui::CommonDialogs& dialogs);

  // Start-up, in this order: the resource folder from the folder memory (the current folder +
  // "\RUX"; it may make the remembered folder current); the three picture files, each checked
  // just before it is read. A missing picture is reported ("Put in RUX directory file " + name,
  // no owner) and the run ends there; a picture that is not a bitmap is reported ("Not Bmp
  // File") and start-up goes on without it. Then the dialog runs modally. The program ends when
  // this returns, whether the dialog ended with OK or Cancel.
  void Run();

 private:
  ui::CommonDialogs& dialogs_;
};
