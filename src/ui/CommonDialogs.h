// Message boxes and the common file dialogs, behind one small interface: the program uses the
// system's, end-to-end tests answer them from a script while the dialogs around them are real.
#pragma once

#include <windows.h>

#include <string>

#include "ui/DialogWindow.h"

namespace ui {

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;

  // A modal message box with an OK button only, captioned with the program's title.
  // Without an owner it is modal to the whole thread.
  virtual void ShowMessage(HWND owner, const std::string& text) = 0;
  // A modal message box with Yes and No, captioned alike, No the default button; true for Yes.
  virtual bool AskYesNo(HWND owner, const std::string& text) = 0;

  // The Open and Save As dialogs, modal to `owner`, with the request's filter, no default
  // extension, no existence checks and no overwrite prompt. A confirmed choice leaves the
  // process's current folder at the chosen file's folder; a cancelled one leaves it as it was.
  virtual FileDialogResult RunOpenFileDialog(HWND owner, const FileDialogRequest& request) = 0;
  virtual FileDialogResult RunSaveFileDialog(HWND owner, const FileDialogRequest& request) = 0;
};

// The system's message box and file dialogs.
class SystemCommonDialogs : public CommonDialogs {
 public:
  void ShowMessage(HWND owner, const std::string& text) override;
  bool AskYesNo(HWND owner, const std::string& text) override;
  FileDialogResult RunOpenFileDialog(HWND owner, const FileDialogRequest& request) override;
  FileDialogResult RunSaveFileDialog(HWND owner, const FileDialogRequest& request) override;
};

// The program's title: the executable's file name without folder and extension
// ("MorvTxtMvg" for C:\tools\MorvTxtMvg.exe).
std::string ProgramTitle();

// The file name of a path without folder and extension: "C:\a.b\prog.exe" -> "prog".
std::string FileTitleOf(const std::string& path);

}  // namespace ui
