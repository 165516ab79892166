#include "dialog/ConvertDialog.h"

#include "conversion/ConversionRequest.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/PreparationFields.h"
#include "dialog/WriteQuestion.h"
#include "dialog/WrittenSizes.h"
#include "ui/DataExchange.h"
#include "ui/DialogWindow.h"

ConvertDialog::ConvertDialog(DialogWindow& window, FolderMemory& folderMemory,
                             ModelPictureView& picture)
    : window_(window),
      files_(window, folderMemory),
      reading_(window),
      grid_(window),
      picture_(window, picture),
      output_(window, folderMemory),
      focus_(window) {}

void ConvertDialog::InitControls() {
  ShowMembers();
  files_.InitUnitLists();
  InitPreparationFields(window_);
}

void ConvertDialog::DoDataExchange(DataExchange& exchange) {
  // The unit and X-size boxes and the buttons have no member here; the figures and names are
  // read-only.
  files_.Exchange(exchange);
  grid_.Exchange(exchange);
  output_.Exchange(exchange);
}

bool ConvertDialog::TakeControlTexts(int* failedControl) {
  DataExchange exchange(window_, true);
  DoDataExchange(exchange);
  if (failedControl != nullptr) *failedControl = exchange.failedControl();
  return !exchange.failed();
}

void ConvertDialog::ShowMembers() {
  const bool showing = showingMembers_;
  showingMembers_ = true;
  DataExchange exchange(window_, false);
  DoDataExchange(exchange);
  showingMembers_ = showing;
}

PerProperty<bool> ConvertDialog::FilesUsed() const {
  PerProperty<bool> used;
  for (const GridProperty& property : kGridProperties) {
    used[property.kind] =
        files_.Loaded(property.kind) && ChosenRule(window_, property.kind) == PropertyRule::kFile;
  }
  return used;
}

PerProperty<bool> ConvertDialog::PropertiesMade() const {
  PerProperty<bool> made = FilesUsed();
  for (const GridProperty& property : kGridProperties) {
    made[property.kind] =
        made[property.kind] ||
        (made[PropertyKind::kVp] && ChosenRule(window_, property.kind) != PropertyRule::kFile);
  }
  return made;
}

void ConvertDialog::EnableSourceControls() {
  for (const GridProperty& property : kGridProperties) {
    files_.EnableFileControls(property.kind,
                              ChosenRule(window_, property.kind) == PropertyRule::kFile);
  }
  EnableRuleFields(window_);
}

void ConvertDialog::EnableBrowsedControls(PropertyKind property) {
  files_.EnableControls(property);
  grid_.EnableControls();
}

void ConvertDialog::OnBrowse(PropertyKind property) {
  TakeControlTexts();
  const FileDialogResult chosen = files_.ChooseFile();
  if (!chosen.confirmed) {
    EnableBrowsedControls(property);
    return;
  }
  LoadChosenFile(property, chosen);
}

void ConvertDialog::OnDropFiles(const std::vector<std::string>& paths,
                                const PropertyKind* droppedOn) {
  if (paths.size() != 1 || droppedOn == nullptr) {
    window_.ShowMessage(
        "To load a text grid, drop one file on the box of its property: Vp, density or Vs.");
    return;
  }
  TakeControlTexts();
  LoadChosenFile(*droppedOn, files_.ChosenByDrop(paths.front()));
}

void ConvertDialog::LoadChosenFile(PropertyKind property, const FileDialogResult& chosen) {
  // A later file keeps the X size the user chose, unless its form states one.
  const bool keepChosen = files_.AnyLoaded();
  const std::string refusal = files_.Load(property, chosen, reading_.Current());
  if (!refusal.empty()) {
    window_.ShowMessage(refusal);
    ShowMembers();
    return;
  }
  const PropertyFile& file = files_[property];
  grid_.FillStatedSteps(file.form);
  OfferXSizes(keepChosen, file.lines, file.form);
  EnableBrowsedControls(property);
  ChooseFileSource(window_, property);
  EnableSourceControls();
  picture_.ShowChoices(PropertiesMade());
  RedrawPicture();
  reading_.ShowReading(files_.LastLoaded());
  // A value missing or one too many shows at once, with where the lines break their pattern.
  const std::string shape = files_.ShapeFinding(property, reading_.Current().order);
  if (!shape.empty()) window_.ShowMessage(shape);
}

void ConvertDialog::OfferXSizes(bool keepChosen, const TextGridLines& lines,
                                const TextGridForm& form) {
  grid_.OfferXSizes(files_.ElementCount(), keepChosen, lines, form, reading_.Current().order);
  ShowMembers();
  ArrangeLoaded();
}

void ConvertDialog::ArrangeLoaded() {
  const Status arranged = files_.Arrange(grid_.Choice().nxInput, reading_.Current());
  if (!arranged.ok()) window_.ShowMessage(arranged.message());
}

void ConvertDialog::OnReadingChoice() {
  const TextReadingChoices chosen = reading_.Checked();
  if (!files_.AnyLoaded()) {
    reading_.Take(chosen);
    return;
  }
  TakeControlTexts();
  const Status read = files_.ReadAgain(chosen);
  if (!read.ok()) {
    reading_.ShowCurrent();
    window_.ShowMessage(read.message());
    return;
  }
  ShowMembers();
  reading_.Take(chosen);
  const PropertyFile& stater = *files_.GridStater();
  grid_.FillStatedSteps(stater.form);
  OfferXSizes(false, files_.FirstLoaded()->lines, stater.form);
  RedrawPicture();
  reading_.ShowReading(files_.LastLoaded());
}

void ConvertDialog::OnXSizeSelChange() {
  if (grid_.OnXSizeSelChange(files_.ElementCount())) ShowChosenXSize();
}

void ConvertDialog::OnXSizeEditChange() {
  // A text that is none of the sizes shows no model: OK would refuse it.
  if (grid_.OnXSizeEditChange(files_.ElementCount())) {
    ShowChosenXSize();
  } else {
    RedrawPicture();
  }
}

void ConvertDialog::ShowChosenXSize() {
  ShowMembers();
  ArrangeLoaded();
  RedrawPicture();
}

void ConvertDialog::OnKillFocusNxWrite() { OnLeavingWindowField(kNxWriteField); }
void ConvertDialog::OnKillFocusNzWrite() { OnLeavingWindowField(kNzWriteField); }
void ConvertDialog::OnKillFocusXFrom() { OnLeavingWindowField(kXFromField); }
void ConvertDialog::OnKillFocusZFrom() { OnLeavingWindowField(kZFromField); }

void ConvertDialog::OnLeavingWindowField(int field) {
  if (!files_.AnyLoaded() || window_.IsShowingMessage() || focus_.Pointing()) return;
  const GridChoice before = grid_.Choice();
  TakeControlTexts();
  const Status checked = grid_.CheckLeftField(field, before, files_.ElementCount());
  if (!checked.ok()) window_.ShowMessage(checked.message());
  ShowMembers();
  RedrawPicture();
}

void ConvertDialog::OnSourceSelChange() {
  EnableSourceControls();
  picture_.ShowChoices(PropertiesMade());
  RedrawPicture();
}

void ConvertDialog::OnHolesSelChange() {
  // The box shows the entry chosen only after its notification.
  window_.SetComboSelection(kHolesCombo, window_.GetComboSelection(kHolesCombo));
  RedrawPicture();
}

void ConvertDialog::OnBrowseOutput() {
  TakeControlTexts();
  if (output_.Choose()) ShowMembers();
}

void ConvertDialog::OnPictureSelChange() {
  picture_.OnChoice(PropertiesMade());
  RedrawPicture();
}

void ConvertDialog::OnUnitsSelChange(PropertyKind property) {
  files_.ShowChosenUnit(property);
  RedrawPicture();
}

void ConvertDialog::RedrawPicture() {
  if (showingMembers_) return;
  ConversionRequest request;
  int refusedField = 0;
  Status checked = BuildRequest(request, refusedField, true);
  if (checked.ok() && files_.AnyLoaded()) checked = CheckModelRequest(request);
  ShowWrittenSizes(window_, request, checked);
  picture_.Redraw(PropertiesMade(), request, checked);
}

Status ConvertDialog::BuildRequest(ConversionRequest& request, int& refusedField, bool asTyped) {
  const Status inputs = files_.FillInputs(FilesUsed(), request.inputs);
  if (!inputs.ok()) return inputs;
  if (files_.AnyLoaded()) {
    const Status xSize = grid_.CheckXSizeText();
    if (!xSize.ok()) return xSize;
  }
  // The grid first: a new step typed alone keeps its step along the other axis.
  if (asTyped) {
    const Status typed = grid_.FillTypedRequest(files_.ElementCount(), request, refusedField);
    if (!typed.ok()) return typed;
  } else {
    grid_.FillRequest(files_.ElementCount(), request);
  }
  const PreparationFields fields =
      TakePreparationFields(window_, request.window.xStep, request.window.zStep);
  if (!fields.ok()) {
    refusedField = fields.refusedControl;
    return Status::Error(fields.message);
  }
  request.preparation = fields.preparation;
  // The values written are in the grid's order for the X size chosen, or nothing is written.
  const Status arranged = files_.Arrange(grid_.Choice().nxInput, reading_.Current());
  if (!arranged.ok()) return arranged;
  request.order = reading_.Current().order;
  output_.FillRequest(request);
  return Status();
}

bool ConvertDialog::OnOK() {
  // What was typed last is what gets written; a field that is not a number stops here.
  const GridChoice accepted = grid_.Choice();
  int failedControl = 0;
  if (!TakeControlTexts(&failedControl)) {
    focus_.PointAt(failedControl);
    return false;
  }
  ConversionRequest request;
  int refusedField = 0;
  const Status built = BuildRequest(request, refusedField);
  if (!built.ok()) {
    window_.ShowMessage(built.message());
    focus_.PointAt(refusedField);
    return false;
  }
  const ConversionResult result = WriteAfterAsking(window_, request);
  if (result.status.ok()) return result.written;
  window_.ShowMessage(result.status.message());
  // A refused window goes back to the one accepted last, as when its field loses the focus.
  if (grid_.RestoreRefusedWindow(result.refused, accepted)) {
    ShowMembers();
    RedrawPicture();
  }
  focus_.PointAt(FieldOfRefusal(result.refused, request));
  return false;
}
