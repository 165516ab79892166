// The conversion dialog's window (template 102): the program's only main window. It owns the
// dialog's logic (ConvertDialog) and hands it the window interface, attaches the six shaded
// buttons, adds the About entry to the system menu, paints the icon and the help picture,
// and routes the controls' notifications to the logic.
#pragma once

#include <windows.h>

#include <memory>

#include "dialog/AboutDialog-win32.h"
#include "dialog/BmpImage.h"
#include "dialog/ConvertDialog.h"
#include "dialog/HelpPicture.h"
#include "ui/Dialog.h"
#include "widgets/ShadeButton.h"

// The picture files of the help picture, looked for in the resource folder.
inline constexpr char kNormalPictureFile[] = "easy.bmp";
inline constexpr char kHoverPictureFile[] = "easyUnderMouse.bmp";
inline constexpr char kPressedPictureFile[] = "easyPressed.bmp";
inline constexpr char kMissingPictureMessage[] = "Put in RUX directory file ";

class ConvertDialogWindow : public ui::Dialog {
 public:
  // The program's start-up duties, in this order: the conversion state; the resource folder
  // from InitFolderMemory (the current folder + "\RUX"; it may make the remembered folder
  // current); the application icon; the three pictures, each checked just before it is read.
  // A missing picture is reported ("Put in RUX directory file " + name, no owner) and ends
  // the process at once with exit code 0; a picture that is not a bitmap is reported ("Not
  // Bmp File") and start-up goes on without it. `dialogs` shows every message and file dialog.
  explicit ConvertDialogWindow(ui::CommonDialogs& dialogs);
  ~ConvertDialogWindow() override;

  // For tests and the program: the logic with the conversion state, the help picture's state.
  ConvertDialog& Logic() { return logic; }
  const HelpPicture& Picture() const { return picture; }
  HICON AppIcon() const { return appIcon; }
  // The About box opened from the help picture, while it exists.
  const AboutDialog* ModelessAbout() const { return modelessAbout.get(); }
  const ShadeButton& OkButton() const { return okButton; }
  const ShadeButton& CancelButton() const { return cancelButton; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  // The export; the dialog ends only when the file was written.
  void OnOK() override;
  void PostNcDestroy() override;

 private:
  void AttachButtons();
  void AddAboutToSystemMenu();
  void SetUpButtons();
  void DrawPicture(PictureImage image);

  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
  LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
  LRESULT OnBrowseVp(WPARAM wParam, LPARAM lParam);
  LRESULT OnBrowseVs(WPARAM wParam, LPARAM lParam);
  LRESULT OnBrowseDensity(WPARAM wParam, LPARAM lParam);
  LRESULT OnXSizeEditChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnXSizeSelChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnBrowseOutput(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocusNxWrite(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocusNzWrite(WPARAM wParam, LPARAM lParam);
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnAboutClosed(WPARAM wParam, LPARAM lParam);

  ShadeButton densityBrowseButton;
  ShadeButton vpBrowseButton;
  ShadeButton vsBrowseButton;
  ShadeButton outputBrowseButton;
  ShadeButton okButton;
  ShadeButton cancelButton;
  ConvertDialog logic;
  HICON appIcon = nullptr;
  BmpImage normalImage;
  BmpImage hoverImage;
  BmpImage pressedImage;
  HelpPicture picture;
  std::unique_ptr<AboutDialog> modelessAbout;

  UI_DECLARE_MESSAGE_MAP()
};
