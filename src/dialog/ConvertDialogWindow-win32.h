// The conversion dialog's window (template IDD_CONVERT): the program's only main window. It
// owns the dialog's logic (ConvertDialog) and hands it the window interface, attaches the six
// shaded buttons, adds the About entry to the system menu, paints the icon and the help picture,
// draws the model's picture that the logic asks for (and enlarged, on a click), and routes the
// controls' notifications to the logic.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "dialog/AboutDialog-win32.h"
#include "dialog/BmpImage.h"
#include "dialog/ConvertDialog.h"
#include "dialog/EnlargedPicture-win32.h"
#include "dialog/HelpPicture.h"
#include "dialog/ModelPictureView.h"
#include "ui/Dialog.h"
#include "widgets/PictureControl-win32.h"
#include "widgets/ShadeButton.h"

class FolderMemory;

// The three images of the help picture, read from the resource folder at start-up.
struct HelpPictureImages {
  BmpImage normal, hover, pressed;
};

class ConvertDialogWindow : public ui::Dialog, private ModelPictureView {
 public:
  // `dialogs` shows every message and file dialog; `folderMemory` and `pictures` outlive the
  // window.
  ConvertDialogWindow(ui::CommonDialogs& dialogs, FolderMemory& folderMemory,
                      const HelpPictureImages& pictures);
  ~ConvertDialogWindow() override;

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

  void ShowPicture(const GridPictureRequest& request) override;
  void ClearPicture(const std::string& why) override;
  // Draws the model's picture for a control's client area of width x height.
  void PaintModel(PictureControl& control, std::int32_t width, std::int32_t height);
  PictureControl::Painter ModelPainter();

  // The modal About box, from the system menu, F1 (WM_HELP) and the help command.
  void ShowHelp();
  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnHelpKey(WPARAM wParam, LPARAM lParam);
  LRESULT OnHelpCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
  LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
  // A property's browse button, told by its id.
  LRESULT OnBrowseProperty(WPARAM wParam, LPARAM lParam);
  LRESULT OnXSizeEditChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnXSizeSelChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnBrowseOutput(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocusNxWrite(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocusNzWrite(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocusXFrom(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocusZFrom(WPARAM wParam, LPARAM lParam);
  LRESULT OnSourceSelChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnHolesSelChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnAboutClosed(WPARAM wParam, LPARAM lParam);
  LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
  LRESULT OnPictureChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnPictureSelChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnUnitsSelChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnReadingChoice(WPARAM wParam, LPARAM lParam);
  LRESULT OnPictureClicked(WPARAM wParam, LPARAM lParam);
  LRESULT OnPictureClosed(WPARAM wParam, LPARAM lParam);

  PerProperty<ShadeButton> browseButtons;
  ShadeButton outputBrowseButton;
  ShadeButton okButton;
  ShadeButton cancelButton;
  ConvertDialog logic;
  HICON appIcon = nullptr;
  const HelpPictureImages& images;
  HelpPicture picture;
  std::unique_ptr<AboutDialog> modelessAbout;  // opened from the help picture, while it exists
  PictureControl modelPicture;
  std::string pictureHint;  // the picture control's own text, shown while nothing is loaded
  std::optional<GridPictureRequest> shownModel;    // what the logic asked to show
  std::unique_ptr<EnlargedPicture> enlargedModel;  // opened by a click on the picture

  UI_DECLARE_MESSAGE_MAP()
};
