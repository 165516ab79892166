#include "app/ConvertApp-win32.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "dialog/ConvertDialogWindow-win32.h"
#include "folders/FolderMemory.h"
#include "ui/CommonDialogs.h"

namespace {

constexpr char kMissingPictureMessage[] = "Put in RUX directory file ";

// Reads the pictures from the resource folder, each checked just before it is read; false
// after reporting the first that is missing.
bool ReadHelpPictures(Folders& folders, const std::string& resourceFolder,
                      ui::CommonDialogs& dialogs, HelpPictureImages& images) {
  const struct {
    const char* name;
    BmpImage* image;
  } pictures[] = {{"easy.bmp", &images.normal},
                  {"easyUnderMouse.bmp", &images.hover},
                  {"easyPressed.bmp", &images.pressed}};
  for (const auto& file : pictures) {
    const std::string path = resourceFolder + kPathSeparator + file.name;
    if (!folders.Exists(path)) {
      // Before any window exists: the message has no owner.
      dialogs.ShowMessage(nullptr, kMissingPictureMessage + std::string(file.name));
      return false;
    }
    if (file.image->Load(path) != BmpReadResult::kLoaded) {
      dialogs.ShowMessage(nullptr, kNotBmpFileMessage);
    }
  }
  return true;
}

}  // namespace

ConvertApp::ConvertApp(ui::CommonDialogs& dialogs) : dialogs_(dialogs) {}

void ConvertApp::Run() {
  InitCommonControls();
  ProcessFolders folders;
  FolderMemory folderMemory(folders, InitFolderMemory(folders));
  HelpPictureImages pictures;
  // The paths come from the resource folder: the remembered folder may be current by now.
  // The program cannot show its help picture without every file: it stops at once.
  if (!ReadHelpPictures(folders, folderMemory.ResourceFolder(), dialogs_, pictures)) return;
  ConvertDialogWindow dialog(dialogs_, folderMemory, pictures);
  // OK has exported already inside the run; either way the program ends.
  dialog.DoModal();
}
