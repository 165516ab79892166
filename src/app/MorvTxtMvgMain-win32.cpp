// MorvTxtMvg.exe: the conversion dialog with the system's message boxes and file dialogs.
#include <windows.h>

#include "app/ConvertApp-win32.h"
#include "ui/CommonDialogs.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ui::SystemCommonDialogs dialogs;
  ConvertApp app(dialogs);
  app.Run();
  return 0;
}
