#include "dialog/ConvertDialog.h"

#include "conversion/ConversionRequest.h"
#include "conversion/XSizeFindings.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/DialogNames.h"
#include "dialog/ModelReport.h"
#include "dialog/PreparationFields.h"
#include "dialog/WaitCursor.h"
#include "dialog/WriteQuestion.h"
#include "dialog/WrittenSizes.h"
#include "ui/DataExchange.h"
#include "ui/DialogWindow.h"

namespace {

std::string Joined(const std::vector<std::string>& lines, const char* separator) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? "" : separator) + lines[i];
  return text;
}

}  // namespace

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
  reading_.InitControls();
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
  ShowWithoutRedrawing([this] {
    DataExchange exchange(window_, false);
    DoDataExchange(exchange);
  });
}

void ConvertDialog::ShowWithoutRedrawing(const std::function<void()>& show) {
  const bool showing = showingMembers_;
  showingMembers_ = true;
  show();
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
  const FileDialogResult chosen = files_.ChooseFile(property);
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
  const std::string shape = ShapeOnReading(file, !keepChosen);
  if (!shape.empty()) window_.ShowMessage(shape);
}

std::string ConvertDialog::ShapeOnReading(const PropertyFile& file, bool proposed) const {
  if (proposed && grid_.XSizeKnown().how == HowKnown::kGuessed) {
    return GuessedXSizeFinding(file.name, file.lines, files_.ElementCount(), grid_.Choice().nxInput,
                               DialogChoiceNames().xSize);
  }
  if (IsBinaryForm(file.form.kind)) {
    // Raw values say nothing of the X size, and none is chosen until the user chooses one.
    if (file.form.statesSizes || grid_.XSizeKnown().how != HowKnown::kAbsent) return {};
    return file.name + ": " + file.form.name + " say nothing of the X size; give " +
           DialogChoiceNames().xSize;
  }
  // A value missing or one too many shows at once, with where the lines break their pattern.
  return files_.ShapeFinding(file, reading_.Current().order);
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
  reading_.EnableChosenFields();
  ReadWithCheckedChoices(false);
}

void ConvertDialog::OnKillFocusSkip() {
  if (window_.IsShowingMessage() || focus_.Pointing() || !reading_.Changed()) return;
  ReadWithCheckedChoices(false);
}

bool ConvertDialog::ReadWithCheckedChoices(bool pointAtRefused) {
  const CheckedReading checked = reading_.Checked();
  if (!checked.status.ok()) {
    window_.ShowMessage(checked.status.message());
    if (pointAtRefused) {
      focus_.PointAt(checked.refusedField);
    } else {
      reading_.ShowCurrent();
    }
    return false;
  }
  if (!files_.AnyLoaded()) {
    reading_.Take(checked.choices);
    return true;
  }
  TakeControlTexts();
  const Status read = files_.ReadAgain(checked.choices);
  if (!read.ok()) {
    reading_.ShowCurrent();
    window_.ShowMessage(read.message());
    return false;
  }
  ShowMembers();
  reading_.Take(checked.choices);
  const PropertyFile& stater = *files_.GridStater();
  grid_.FillStatedSteps(stater.form);
  const PropertyFile& first = *files_.FirstLoaded();
  OfferXSizes(false, first.lines, stater.form);
  RedrawPicture();
  reading_.ShowReading(files_.LastLoaded());
  const std::string shape = ShapeOnReading(first, true);
  if (!shape.empty()) window_.ShowMessage(shape);
  return true;
}

void ConvertDialog::OnXSizeSelChange() {
  if (grid_.OnXSizeSelChange(files_.ElementCount())) ShowChosenXSize();
}

void ConvertDialog::OnXSizeEditChange() {
  // A text that is none of the sizes shows no size and no model: OK would refuse it.
  if (grid_.OnXSizeEditChange(files_.ElementCount())) {
    ShowChosenXSize();
    return;
  }
  grid_.ShowSizes();
  RedrawPicture();
}

void ConvertDialog::ShowChosenXSize() {
  // A step typed and not yet taken in keeps its text: it is what OK takes.
  ShowWithoutRedrawing([this] { grid_.ShowXSizeChosen(); });
  ArrangeLoaded();
  RedrawPicture();
}

void ConvertDialog::OnKillFocusNxWrite() { OnLeavingWindowField(kNxWriteField); }
void ConvertDialog::OnKillFocusNzWrite() { OnLeavingWindowField(kNzWriteField); }
void ConvertDialog::OnKillFocusXFrom() { OnLeavingWindowField(kXFromField); }
void ConvertDialog::OnKillFocusZFrom() { OnLeavingWindowField(kZFromField); }

void ConvertDialog::OnLeavingWindowField(int field) {
  if (!files_.AnyLoaded() || window_.IsShowingMessage() || focus_.Pointing() ||
      grid_.XSizeTypedAside()) {
    return;
  }
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
  // A prepared model of millions of nodes takes a while to measure: once the typing pauses.
  window_.WhenPaused([this] { ShowModelReport(); });
}

void ConvertDialog::ShowModelReport() {
  std::vector<std::string> lines;
  if (files_.AnyLoaded()) {
    WaitCursor wait(window_);
    ConversionRequest request;
    int refusedField = 0;
    const Status built = BuildRequest(request, refusedField, true);
    lines = ModelReportLines(built, request);
  }
  // An edit field breaks lines only at CR LF.
  window_.SetControlText(kModelReportField, Joined(lines, "\r\n"));
}

Status ConvertDialog::BuildRequest(ConversionRequest& request, int& refusedField, bool asTyped) {
  const Status inputs = files_.FillInputs(FilesUsed(), request.inputs);
  if (!inputs.ok()) return inputs;
  if (files_.AnyLoaded()) {
    const Status xSize = grid_.CheckXSizeText();
    if (!xSize.ok()) {
      refusedField = kXSizeCombo;
      return xSize;
    }
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
  request.choiceNames = DialogChoiceNames();
  const std::string steps = grid_.StepFinding(files_.SampleIntervalHint());
  if (!steps.empty()) request.choiceFindings.push_back(steps);
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
  if (reading_.Changed()) {
    // The grid the files make may be another: it is shown first, and written on the next OK.
    const bool anyLoaded = files_.AnyLoaded();
    if (!ReadWithCheckedChoices(true)) return false;
    if (anyLoaded) {
      window_.ShowMessage(
          "The files were read again with the reading choices typed: see the grid they make, "
          "then press OK again.");
      return false;
    }
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
