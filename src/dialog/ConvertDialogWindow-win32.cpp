#include "dialog/ConvertDialogWindow-win32.h"

#include <windowsx.h>

#include <cstdint>

#include "dialog/BmpImage-win32.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/DroppedFiles-win32.h"
#include "resource.h"
#include "ui/CommonDialogs.h"
#include "widgets/ShadePatterns.h"

namespace {

// The shaded faces of OK and Cancel: grain, hover lightening and tint towards blue.
constexpr std::uint8_t kFaceGrain = 8;
constexpr std::uint8_t kFaceHoverPercent = 20;
constexpr std::uint8_t kFaceTintPercent = 5;
constexpr COLORREF kFaceTint = RGB(55, 55, 255);

}  // namespace

ConvertDialogWindow::ConvertDialogWindow(ui::CommonDialogs& dialogs, FolderMemory& folderMemory,
                                         const HelpPictureImages& pictures)
    : Dialog(IDD_CONVERT, dialogs), logic(Controls(), folderMemory, *this), images(pictures) {
  appIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
}

ConvertDialogWindow::~ConvertDialogWindow() = default;

void ConvertDialogWindow::AttachButtons() {
  for (const GridProperty& property : kGridProperties) {
    browseButtons[property.kind].Subclass(
        GetDlgItem(GetHandle(), kPropertyControls[property.kind].browseButton));
  }
  const struct {
    ShadeButton* button;
    int id;
  } buttons[] = {{&outputBrowseButton, kOutputBrowseButton},
                 {&okButton, kOkButton},
                 {&cancelButton, kCancelButton}};
  for (const auto& b : buttons) b.button->Subclass(GetDlgItem(GetHandle(), b.id));
  modelPicture.Subclass(GetDlgItem(GetHandle(), kModelPicture));
  char hint[256] = {};
  GetWindowTextA(modelPicture.GetHandle(), hint, sizeof hint);
  pictureHint = hint;
  modelPicture.SetPainter(ModelPainter());
}

bool ConvertDialogWindow::OnInitDialog() {
  AttachButtons();
  Dialog::OnInitDialog();
  AddAboutToSystemMenu();
  Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon));
  Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon));
  SetUpButtons();
  logic.InitControls();
  // Text grids may be dropped on the dialog from Explorer.
  DragAcceptFiles(GetHandle(), TRUE);
  return true;
}

void ConvertDialogWindow::AddAboutToSystemMenu() {
  HMENU systemMenu = GetSystemMenu(GetHandle(), FALSE);
  if (systemMenu == nullptr) return;
  char text[256] = {};
  if (LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUT, text, sizeof text) <= 0) return;
  AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(systemMenu, MF_STRING, SYSCMD_ABOUT, text);
}

void ConvertDialogWindow::SetUpButtons() {
  for (ShadeButton& browse : browseButtons.each) {
    browse.SetFlatStyle(true);
    browse.AssignIcon(IDI_OPEN, BS_CENTER);
  }
  outputBrowseButton.SetFlatStyle(true);
  outputBrowseButton.AssignIcon(IDI_SAVE, BS_CENTER);
  okButton.GenerateFaces(VerticalCurve, kFaceGrain, kFaceHoverPercent, kFaceTintPercent, kFaceTint);
  cancelButton.GenerateFaces(HorizontalRamp, kFaceGrain, kFaceHoverPercent, kFaceTintPercent,
                             kFaceTint);
}

void ConvertDialogWindow::DoDataExchange(DataExchange& exchange) { logic.DoDataExchange(exchange); }

void ConvertDialogWindow::OnOK() {
  if (logic.OnOK()) Dialog::OnOK();
}

void ConvertDialogWindow::PostNcDestroy() {
  // An About box opened from the picture went with the window it belonged to.
  modelessAbout.reset();
  picture.OnAboutClosed();
  enlargedModel.reset();
}

void ConvertDialogWindow::ShowPicture(const GridPictureRequest& request) {
  shownModel = request;
  modelPicture.Redraw();
  if (enlargedModel != nullptr) enlargedModel->Redraw();
}

void ConvertDialogWindow::ClearPicture(const std::string& why) {
  shownModel.reset();
  SetWindowTextA(modelPicture.GetHandle(), (why.empty() ? pictureHint : why).c_str());
  modelPicture.Redraw();
  if (enlargedModel != nullptr) enlargedModel->Redraw();
}

PictureControl::Painter ConvertDialogWindow::ModelPainter() {
  return [this](PictureControl& control, std::int32_t width, std::int32_t height) {
    PaintModel(control, width, height);
  };
}

void ConvertDialogWindow::PaintModel(PictureControl& control, std::int32_t width,
                                     std::int32_t height) {
  if (!shownModel) return;
  GridPictureRequest request = *shownModel;
  request.width = width;
  request.height = height;
  const GridCanvas drawn = DrawGridCanvas(request);
  if (drawn.ok()) {
    control.Show(drawn.canvas.Pixels(), drawn.canvas.Width(), drawn.canvas.Height());
  } else {
    SetWindowTextA(control.GetHandle(), drawn.status.message().c_str());
  }
}

void ConvertDialogWindow::DrawPicture(PictureImage image) {
  const BmpImage* shown = nullptr;
  switch (image) {
    case PictureImage::kNormal:
      shown = &images.normal;
      break;
    case PictureImage::kHover:
      shown = &images.hover;
      break;
    case PictureImage::kPressed:
      shown = &images.pressed;
      break;
    case PictureImage::kNone:
      return;
  }
  DrawBmpImageOnWindow(GetHandle(), *shown, picture.pictureRect.left, picture.pictureRect.top,
                       picture.pictureWidth, picture.pictureHeight);
}

void ConvertDialogWindow::ShowHelp() {
  AboutDialog about(Dialogs());
  about.DoModal(GetHandle());
}

LRESULT ConvertDialogWindow::OnSysCommand(WPARAM wParam, LPARAM) {
  if ((wParam & 0xFFF0) != SYSCMD_ABOUT) return Default();
  ShowHelp();
  return 0;
}

// F1 on any control reaches the dialog as WM_HELP; it asks for help as the help command does.
LRESULT ConvertDialogWindow::OnHelpKey(WPARAM, LPARAM) {
  Send(WM_COMMAND, ID_HELP);
  return TRUE;
}

LRESULT ConvertDialogWindow::OnHelpCommand(WPARAM, LPARAM) {
  ShowHelp();
  return 0;
}

LRESULT ConvertDialogWindow::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  if (IsIconic(GetHandle())) {
    HDC dc = BeginPaint(GetHandle(), &paint);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(GetHandle(), &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, appIcon);
    EndPaint(GetHandle(), &paint);
    return 0;
  }
  Default();
  // Every repaint shows the picture at rest, whatever the pointer did before.
  BeginPaint(GetHandle(), &paint);
  DrawPicture(picture.OnPaint());
  EndPaint(GetHandle(), &paint);
  return 0;
}

LRESULT ConvertDialogWindow::OnQueryDragIcon(WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(appIcon);
}

LRESULT ConvertDialogWindow::OnBrowseProperty(WPARAM wParam, LPARAM) {
  for (const GridProperty& property : kGridProperties) {
    if (kPropertyControls[property.kind].browseButton == LOWORD(wParam)) {
      logic.OnBrowse(property.kind);
    }
  }
  return 0;
}

LRESULT ConvertDialogWindow::OnXSizeEditChange(WPARAM, LPARAM) {
  logic.OnXSizeEditChange();
  return 0;
}

LRESULT ConvertDialogWindow::OnXSizeSelChange(WPARAM, LPARAM) {
  logic.OnXSizeSelChange();
  return 0;
}

LRESULT ConvertDialogWindow::OnBrowseOutput(WPARAM, LPARAM) {
  logic.OnBrowseOutput();
  return 0;
}

LRESULT ConvertDialogWindow::OnKillFocusNxWrite(WPARAM, LPARAM) {
  logic.OnKillFocusNxWrite();
  return 0;
}

LRESULT ConvertDialogWindow::OnKillFocusNzWrite(WPARAM, LPARAM) {
  logic.OnKillFocusNzWrite();
  return 0;
}

LRESULT ConvertDialogWindow::OnKillFocusXFrom(WPARAM, LPARAM) {
  logic.OnKillFocusXFrom();
  return 0;
}

LRESULT ConvertDialogWindow::OnKillFocusZFrom(WPARAM, LPARAM) {
  logic.OnKillFocusZFrom();
  return 0;
}

LRESULT ConvertDialogWindow::OnSourceSelChange(WPARAM, LPARAM) {
  logic.OnSourceSelChange();
  return 0;
}

LRESULT ConvertDialogWindow::OnHolesSelChange(WPARAM, LPARAM) {
  logic.OnHolesSelChange();
  return 0;
}

LRESULT ConvertDialogWindow::OnMouseMove(WPARAM, LPARAM lParam) {
  DrawPicture(picture.OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
  return Default();
}

LRESULT ConvertDialogWindow::OnLButtonDown(WPARAM, LPARAM lParam) {
  // No capture and no default processing: a press is not remembered.
  DrawPicture(picture.OnLButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
  return 0;
}

LRESULT ConvertDialogWindow::OnLButtonUp(WPARAM, LPARAM lParam) {
  const PictureAction action = picture.OnLButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  if (action.openAbout) {
    modelessAbout = std::make_unique<AboutDialog>(Dialogs(), *this);
    if (modelessAbout->CreateModeless()) {
      ShowWindow(modelessAbout->GetHandle(), SW_SHOWNORMAL);
    } else {
      modelessAbout.reset();
      picture.OnAboutClosed();
    }
  }
  DrawPicture(action.draw);
  return Default();
}

LRESULT ConvertDialogWindow::OnAboutClosed(WPARAM, LPARAM) {
  picture.OnAboutClosed();
  // The box posted this on its way out; its window is gone by now.
  if (modelessAbout != nullptr && modelessAbout->GetHandle() == nullptr) modelessAbout.reset();
  return 0;
}

LRESULT ConvertDialogWindow::OnDropFiles(WPARAM wParam, LPARAM) {
  HDROP drop = reinterpret_cast<HDROP>(wParam);
  // A message box or file dialog of ours is open (it disables the dialog): the drop waits for
  // nobody and does nothing.
  if (!IsWindowEnabled(GetHandle())) {
    DragFinish(drop);
    return 0;
  }
  const DroppedFiles dropped = ReadDroppedFiles(GetHandle(), drop);
  logic.OnDropFiles(dropped.paths, dropped.onPropertyBox ? &dropped.property : nullptr);
  return 0;
}

LRESULT ConvertDialogWindow::OnPictureChanged(WPARAM, LPARAM) {
  logic.RedrawPicture();
  return 0;
}

LRESULT ConvertDialogWindow::OnPictureSelChange(WPARAM, LPARAM) {
  logic.OnPictureSelChange();
  return 0;
}

LRESULT ConvertDialogWindow::OnUnitsSelChange(WPARAM wParam, LPARAM) {
  for (const GridProperty& property : kGridProperties) {
    if (kPropertyControls[property.kind].unitsCombo == LOWORD(wParam)) {
      logic.OnUnitsSelChange(property.kind);
    }
  }
  return 0;
}

LRESULT ConvertDialogWindow::OnReadingChoice(WPARAM, LPARAM) {
  logic.OnReadingChoice();
  return 0;
}

LRESULT ConvertDialogWindow::OnPictureClicked(WPARAM, LPARAM) {
  if (!shownModel) return 0;
  if (enlargedModel != nullptr) {
    SetActiveWindow(enlargedModel->GetHandle());
    return 0;
  }
  // As large as mvgtool draws it, within the screen.
  const GridCanvas natural = DrawGridCanvas(*shownModel);
  const SIZE size =
      natural.ok() ? SIZE{natural.canvas.Width(), natural.canvas.Height()} : SIZE{1000, 600};
  enlargedModel = std::make_unique<EnlargedPicture>(Dialogs(), *this, ModelPainter(), size);
  if (!enlargedModel->Open()) enlargedModel.reset();
  return 0;
}

LRESULT ConvertDialogWindow::OnPictureClosed(WPARAM, LPARAM) {
  // The window posted this on its way out; it is gone by now.
  if (enlargedModel != nullptr && enlargedModel->GetHandle() == nullptr) enlargedModel.reset();
  return 0;
}

// clang-format off
UI_BEGIN_MESSAGE_MAP(ConvertDialogWindow, ui::Dialog)
  ui::OnMessage(WM_SYSCOMMAND, &ConvertDialogWindow::OnSysCommand),
  ui::OnMessage(WM_HELP, &ConvertDialogWindow::OnHelpKey),
  ui::OnCommand(0, ID_HELP, &ConvertDialogWindow::OnHelpCommand),
  ui::OnMessage(WM_PAINT, &ConvertDialogWindow::OnPaint),
  ui::OnMessage(WM_QUERYDRAGICON, &ConvertDialogWindow::OnQueryDragIcon),
  ui::OnCommand(BN_CLICKED, kVpBrowseButton, &ConvertDialogWindow::OnBrowseProperty),
  ui::OnCommand(BN_CLICKED, kDensityBrowseButton, &ConvertDialogWindow::OnBrowseProperty),
  ui::OnCommand(BN_CLICKED, kVsBrowseButton, &ConvertDialogWindow::OnBrowseProperty),
  ui::OnCommand(CBN_EDITCHANGE, kXSizeCombo, &ConvertDialogWindow::OnXSizeEditChange),
  ui::OnCommand(CBN_SELCHANGE, kXSizeCombo, &ConvertDialogWindow::OnXSizeSelChange),
  ui::OnCommand(BN_CLICKED, kOutputBrowseButton, &ConvertDialogWindow::OnBrowseOutput),
  ui::OnCommand(EN_KILLFOCUS, kNxWriteField, &ConvertDialogWindow::OnKillFocusNxWrite),
  ui::OnCommand(EN_KILLFOCUS, kNzWriteField, &ConvertDialogWindow::OnKillFocusNzWrite),
  ui::OnCommand(EN_KILLFOCUS, kXFromField, &ConvertDialogWindow::OnKillFocusXFrom),
  ui::OnCommand(EN_KILLFOCUS, kZFromField, &ConvertDialogWindow::OnKillFocusZFrom),
  ui::OnCommand(CBN_SELCHANGE, kDensitySourceCombo, &ConvertDialogWindow::OnSourceSelChange),
  ui::OnCommand(CBN_SELCHANGE, kVsSourceCombo, &ConvertDialogWindow::OnSourceSelChange),
  ui::OnCommand(CBN_SELCHANGE, kHolesCombo, &ConvertDialogWindow::OnHolesSelChange),
  ui::OnCommand(CBN_EDITCHANGE, kHolesCombo, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kVsRatioField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kWaterVpField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kWaterDensityField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kNewXStepField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kNewZStepField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kBorderField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnMessage(WM_MOUSEMOVE, &ConvertDialogWindow::OnMouseMove),
  ui::OnMessage(WM_LBUTTONDOWN, &ConvertDialogWindow::OnLButtonDown),
  ui::OnMessage(WM_LBUTTONUP, &ConvertDialogWindow::OnLButtonUp),
  ui::OnMessage(WM_ABOUT_CLOSED, &ConvertDialogWindow::OnAboutClosed),
  ui::OnMessage(WM_DROPFILES, &ConvertDialogWindow::OnDropFiles),
  ui::OnCommand(EN_CHANGE, kXStepField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kZStepField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kNxWriteField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kNzWriteField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kXFromField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(EN_CHANGE, kZFromField, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(CBN_EDITCHANGE, kVpUnitsCombo, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(CBN_EDITCHANGE, kDensityUnitsCombo, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(CBN_EDITCHANGE, kVsUnitsCombo, &ConvertDialogWindow::OnPictureChanged),
  ui::OnCommand(CBN_SELCHANGE, kVpUnitsCombo, &ConvertDialogWindow::OnUnitsSelChange),
  ui::OnCommand(CBN_SELCHANGE, kDensityUnitsCombo, &ConvertDialogWindow::OnUnitsSelChange),
  ui::OnCommand(CBN_SELCHANGE, kVsUnitsCombo, &ConvertDialogWindow::OnUnitsSelChange),
  ui::OnCommand(CBN_SELCHANGE, kPictureCombo, &ConvertDialogWindow::OnPictureSelChange),
  ui::OnCommand(BN_CLICKED, kColumnsCheck, &ConvertDialogWindow::OnReadingChoice),
  ui::OnCommand(BN_CLICKED, kFlipZCheck, &ConvertDialogWindow::OnReadingChoice),
  ui::OnCommand(BN_CLICKED, kDecimalCommaCheck, &ConvertDialogWindow::OnReadingChoice),
  ui::OnCommand(STN_CLICKED, kModelPicture, &ConvertDialogWindow::OnPictureClicked),
  ui::OnMessage(WM_PICTURE_CLOSED, &ConvertDialogWindow::OnPictureClosed),
UI_END_MESSAGE_MAP()
    // clang-format on
