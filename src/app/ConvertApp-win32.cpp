#include "app/ConvertApp-win32.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "dialog/ConvertDialogWindow-win32.h"

ConvertApp::ConvertApp(ui::CommonDialogs& dialogs) : dialogs_(dialogs) {}

bool ConvertApp::InitInstance() {
  InitCommonControls();
  auto dialog = std::make_unique<ConvertDialogWindow>(dialogs_);
  // OK has exported already inside the run; either way the program ends.
  dialog->DoModal();
  dialog.reset();
  return false;
}
