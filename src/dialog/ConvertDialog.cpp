#include "dialog/ConvertDialog.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <utility>

#include "conversion/Conversion.h"
#include "conversion/PropertyLoad.h"
#include "conversion/ShapeFindings.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/ModelPictureView.h"
#include "folders/FolderMemory.h"
#include "grid/GridSizes.h"
#include "grid/NumberText.h"
#include "ui/DataExchange.h"
#include "ui/DialogWindow.h"

namespace {

const char kCountMismatchMessage[] =
    "Sorry, Files has different number of elements.\n"
    "The program does not know how to process this information";
const char kNotLoaded[] = ".\nThe file was not loaded.";

// The size fields accept any integer, so their product may not fit: show the nearest that does.
std::int32_t SaturatedProduct(std::int32_t a, std::int32_t b) {
  std::int64_t product = std::int64_t{a} * b;
  product = std::clamp<std::int64_t>(product, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(product);
}

std::string InitialFileName(const std::string& rememberedFolder, const char* pattern) {
  return rememberedFolder + kPathSeparator + pattern;
}

// A size to write as typed when it lies within the grid (1 to `limit`), else the one accepted
// last, else the whole grid.
std::int32_t SizeWithin(const std::string& typed, std::int32_t accepted, std::int32_t limit) {
  std::int32_t size = 0;
  if (ReadInt32(typed, &size) && size >= 1 && size <= limit) return size;
  return accepted >= 1 && accepted <= limit ? accepted : limit;
}

// A step field's number when it is one above 0; 0 otherwise.
float StepOf(const std::string& text) {
  float step = 0;
  return ReadFloat32(text, &step) && step > 0 ? step : 0.0f;
}

// Shows the wait cursor while a file is read or written.
class WaitCursor {
 public:
  explicit WaitCursor(DialogWindow& window) : window_(window) { window_.ShowWaitCursor(true); }
  ~WaitCursor() { window_.ShowWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  DialogWindow& window_;
};

}  // namespace

ConvertDialog::ConvertDialog(DialogWindow& window, FolderMemory& folderMemory,
                             ModelPictureView& picture)
    : window_(window), folderMemory_(folderMemory), picture_(picture) {}

void ConvertDialog::InitControls() {
  ShowMembers();
  for (const GridProperty& property : kGridProperties) {
    const int combo = kPropertyControls[property.kind].unitsCombo;
    window_.ResetComboList(combo);
    for (const Unit* unit : ListedUnits(property.kind)) window_.AddComboString(combo, unit->name);
    window_.SetComboSelection(combo, 0);
  }
}

void ConvertDialog::DoDataExchange(DataExchange& exchange) {
  // The unit and X-size boxes and the buttons have no member here; the figures and names are
  // read-only. Among the fields a user types into, the order decides where a failed take-in
  // stops.
  for (const GridProperty& property : kGridProperties) {
    const PropertyControls& controls = kPropertyControls[property.kind];
    PropertyFile& file = files[property.kind];
    exchange.Text(controls.countField, file.count);
    exchange.Text(controls.minField, file.minimum);
    exchange.Text(controls.maxField, file.maximum);
    exchange.Text(controls.nameText, file.name);
  }
  exchange.Text(kInputCountField, inputCount);
  // Steps in full: a browse between typing and OK shows them again and must not round them.
  exchange.ExactText(kXStepField, xStep);
  exchange.ExactText(kZStepField, zStep);
  exchange.Text(kOutputNameText, outputPath);
  exchange.Text(kNzInputField, nzInput);
  exchange.Text(kNxWriteField, nxWrite);
  exchange.Text(kNzWriteField, nzWrite);
  exchange.Text(kWriteCountField, writeCount);
}

bool ConvertDialog::TakeControlTexts() {
  DataExchange exchange(window_, true);
  DoDataExchange(exchange);
  return !exchange.failed();
}

void ConvertDialog::ShowMembers() {
  DataExchange exchange(window_, false);
  DoDataExchange(exchange);
}

bool ConvertDialog::AnyLoaded() const {
  for (const PropertyFile& file : files.each) {
    if (!file.values.empty()) return true;
  }
  return false;
}

void ConvertDialog::OnBrowse(PropertyKind property) {
  TakeControlTexts();

  FileDialogRequest request;
  request.initialFileName = InitialFileName(folderMemory_.ReadRememberedFolder(), "*.txt");
  // A text grid may come gzip-compressed ("vp.txt.gz"); its first bytes tell, not its name.
  request.filterDescription = "Text grids (*.txt, *.gz)";
  request.filterPattern = "*.txt;*.gz";
  FileDialogResult chosen = window_.RunOpenFileDialog(request);
  if (!chosen.confirmed) {
    EnablePropertyControls(property);
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
  FileDialogResult chosen;
  chosen.confirmed = true;
  chosen.fullPath = paths.front();
  chosen.fileName = FileNameOf(chosen.fullPath);
  const std::size_t nameStart = chosen.fullPath.size() - chosen.fileName.size();
  chosen.folder = nameStart == 0 ? std::string() : chosen.fullPath.substr(0, nameStart - 1);
  // As a confirmed Open dialog does, the file's folder becomes the current one.
  folderMemory_.MakeCurrent(chosen.folder);
  LoadChosenFile(*droppedOn, chosen);
}

void ConvertDialog::LoadChosenFile(PropertyKind property, const FileDialogResult& chosen) {
  PropertyFile& file = files[property];
  file.name = chosen.fileName;
  ShowMembers();
  folderMemory_.SaveCurrentFolder();

  // A later file with the count already loaded keeps the X size the user chose.
  const bool keepChosenSize = AnyLoaded();
  LoadedProperty loaded;
  {
    WaitCursor wait(window_);
    // The full path: the current folder is process-wide and may move before the file is read.
    loaded = LoadProperty(chosen.fullPath, chosen.fileName, elementCount);
  }
  // A file refused for its count keeps its figures on show, so the user sees why.
  if (loaded.ok() || loaded.countDiffers) {
    file.count = static_cast<std::int32_t>(loaded.summary.count);
    file.minimum = loaded.summary.minimum;
    file.maximum = loaded.summary.maximum;
  }
  if (loaded.countDiffers) {
    // Where its lines break the pattern shows where a value is missing or too many.
    RefuseFile(property, std::string(kCountMismatchMessage) + "\n\n" + chosen.fileName + ": " +
                             DescribeLines(loaded.lines));
    return;
  }
  if (!loaded.ok()) {
    RefuseFile(property, loaded.status.message() + kNotLoaded);
    return;
  }
  file.fullPath = chosen.fullPath;
  file.endMarkLine = loaded.endMarkLine;
  file.range = RangeOfValues(loaded.summary);
  elementCount = loaded.summary.count;
  file.values = std::move(loaded.values);
  file.lines = loaded.lines;
  DeriveGridSizes(keepChosenSize, loaded.lines);
  EnablePropertyControls(property);
  ShowPictureChoices();
  RedrawPicture();
  // A value missing or one too many shows at once, with where the lines break their pattern.
  const std::string shape = FileShapeFinding(chosen.fileName, loaded.lines, elementCount);
  if (!shape.empty()) window_.ShowMessage(shape);
}

void ConvertDialog::RefuseFile(PropertyKind property, const std::string& message) {
  window_.ShowMessage(message);
  files[property].name = "*.txt";
  ShowMembers();
}

void ConvertDialog::EnablePropertyControls(PropertyKind property) {
  const PropertyControls& p = kPropertyControls[property];
  for (int control :
       {p.countField, p.minField, p.maxField, kXSizeCombo, kNzInputField, kInputCountField,
        kNxWriteField, kNzWriteField, kWriteCountField, p.unitsCombo}) {
    window_.EnableControl(control, true);
  }
}

void ConvertDialog::DeriveGridSizes(bool keepChosenSize, const TextGridLines& lines) {
  xSizes_ = XSizeChoices(elementCount);
  window_.ResetComboList(kXSizeCombo);
  for (std::int32_t choice : xSizes_) window_.AddComboString(kXSizeCombo, FormatInteger(choice));
  if (keepChosenSize) {
    const auto chosen = std::find(xSizes_.begin(), xSizes_.end(), nxInput);
    window_.SetComboSelection(
        kXSizeCombo, chosen == xSizes_.end() ? -1 : static_cast<int>(chosen - xSizes_.begin()));
    ShowMembers();
    return;
  }
  const int proposed = ProposedXSizeIndex(xSizes_, elementCount, lines);
  window_.SetComboSelection(kXSizeCombo, proposed);
  if (proposed >= 0) {
    const std::int32_t x = xSizes_[static_cast<std::size_t>(proposed)];
    const std::int32_t count = static_cast<std::int32_t>(elementCount);
    nxInput = x;
    nxWrite = x;
    inputCount = count;
    writeCount = count;
    nzInput = count / x;
    nzWrite = count / x;
  }
  ShowMembers();
}

void ConvertDialog::ChooseXSize(std::int32_t x) {
  nxInput = x;
  nxWrite = x;
  writeCount = inputCount;
  nzInput = static_cast<std::int32_t>(elementCount / static_cast<std::uint32_t>(x));
  nzWrite = nzInput;
  ShowMembers();
  RedrawPicture();
}

void ConvertDialog::OnXSizeSelChange() {
  const int selection = window_.GetComboSelection(kXSizeCombo);
  window_.SetComboSelection(kXSizeCombo, selection);
  std::int32_t x = 0;
  if (!ReadInt32(window_.GetControlText(kXSizeCombo), &x) || x < 1) return;
  ChooseXSize(x);
}

void ConvertDialog::OnXSizeEditChange() {
  // The list is left alone: selecting an entry would select the box's text, and the next key
  // the user types would replace it.
  std::int32_t x = 0;
  if (!ReadInt32(window_.GetControlText(kXSizeCombo), &x)) return;
  if (std::find(xSizes_.begin(), xSizes_.end(), x) == xSizes_.end()) return;
  ChooseXSize(x);
}

void ConvertDialog::OnKillFocusNxWrite() {
  CheckSizeOnLeaving(nxWrite, [this] { return CheckNxWrite(nxWrite, nxInput); });
}

void ConvertDialog::OnKillFocusNzWrite() {
  CheckSizeOnLeaving(nzWrite,
                     [this] { return CheckNzWrite(nzWrite, nzInput, elementCount, nxInput); });
}

void ConvertDialog::CheckSizeOnLeaving(std::int32_t& size, const std::function<Status()>& check) {
  // With nothing loaded there is no size to check against; and a message of ours that took the
  // focus has just told the user what there was to tell.
  if (!AnyLoaded() || window_.IsShowingMessage()) return;
  const std::int32_t previous = size;
  TakeControlTexts();
  const Status checked = check();
  if (!checked.ok()) {
    window_.ShowMessage(checked.message());
    size = previous;
  }
  writeCount = SaturatedProduct(nxWrite, nzWrite);
  ShowMembers();
  RedrawPicture();
}

void ConvertDialog::OnBrowseOutput() {
  TakeControlTexts();
  FileDialogRequest request;
  request.initialFileName = InitialFileName(folderMemory_.ReadRememberedFolder(), "*.mvg");
  request.filterDescription = "Morvelan MVG files";
  request.filterPattern = "*.mvg";
  FileDialogResult chosen = window_.RunSaveFileDialog(request);
  if (chosen.confirmed) {
    std::string name = chosen.fileName;
    std::string fullPath = chosen.fullPath;
    if (name.find('.') == std::string::npos) {
      name += ".mvg";
      fullPath += ".mvg";
    }
    outputPath = name;
    outputFullPath = fullPath;
    ShowMembers();
  }
  folderMemory_.SaveCurrentFolder();
}

bool ConvertDialog::BuildRequest(ConversionRequest& request) {
  for (const GridProperty& property : kGridProperties) {
    const PropertyFile& file = files[property.kind];
    if (file.values.empty()) continue;
    // The box's text decides, typed or chosen.
    const std::string text = window_.GetControlText(kPropertyControls[property.kind].unitsCombo);
    const Unit* unit = FindUnit(property.kind, text);
    if (unit == nullptr) {
      window_.ShowMessage(UnknownUnitMessage(property.kind, text));
      return false;
    }
    request.inputs[property.kind] = {file.values.data(), unit,        file.fullPath,
                                     file.name,          &file.lines, file.endMarkLine,
                                     file.range};
  }
  if (AnyLoaded() && !xSizes_.empty()) {
    const std::string text = window_.GetControlText(kXSizeCombo);
    std::int32_t x = 0;
    if (!ReadInt32(text, &x) || x != nxInput) {
      window_.ShowMessage("\"" + text +
                          "\" is not one of the X sizes in the list. Choose one from the list.");
      return false;
    }
  }
  request.window = {elementCount, nxInput, nxWrite, nzWrite, xStep, zStep};
  request.inputCount = inputCount;
  request.nzInput = nzInput;
  request.outputName = outputPath;
  request.outputPath = outputFullPath;
  return true;
}

bool ConvertDialog::OnOK() {
  // What was typed last is what gets written; a field that is not a number stops here.
  const std::int32_t previousNxWrite = nxWrite, previousNzWrite = nzWrite;
  if (!TakeControlTexts()) return false;
  ConversionRequest request;
  if (!BuildRequest(request)) return false;
  // The wait cursor shows while the file is written, from after the question.
  std::unique_ptr<WaitCursor> writing;
  FindingsAnswer answer;
  answer.writeDespite = [this](const std::vector<std::string>& findings) {
    std::string question;
    for (const std::string& finding : findings) question += finding + "\n";
    return window_.AskYesNo(question + "\nWrite the grid file anyway?");
  };
  answer.writing = [this, &writing] { writing = std::make_unique<WaitCursor>(window_); };
  const ConversionResult result = RunConversion(request, answer);
  writing.reset();
  if (result.status.ok()) return result.written;
  window_.ShowMessage(result.status.message());
  // A refused size goes back to the last one accepted, as when its field loses the focus.
  if (result.refused == RequestPart::kNxWrite || result.refused == RequestPart::kNzWrite) {
    nxWrite = result.refused == RequestPart::kNxWrite ? previousNxWrite : nxWrite;
    nzWrite = result.refused == RequestPart::kNzWrite ? previousNzWrite : nzWrite;
    writeCount = SaturatedProduct(nxWrite, nzWrite);
    ShowMembers();
    RedrawPicture();
  }
  return false;
}

const GridProperty* ConvertDialog::PicturedProperty() const {
  if (pictureChoice_ != nullptr && !files[pictureChoice_->kind].values.empty()) {
    return pictureChoice_;
  }
  for (const GridProperty& property : kGridProperties) {
    if (!files[property.kind].values.empty()) return &property;
  }
  return nullptr;
}

void ConvertDialog::ShowPictureChoices() {
  window_.ResetComboList(kPictureCombo);
  const GridProperty* pictured = PicturedProperty();
  for (const GridProperty& property : kGridProperties) {
    if (files[property.kind].values.empty()) continue;
    const int index = window_.AddComboString(kPictureCombo, property.name);
    if (&property == pictured) window_.SetComboSelection(kPictureCombo, index);
  }
  window_.EnableControl(kPictureCombo, true);
}

void ConvertDialog::OnPictureSelChange() {
  int index = window_.GetComboSelection(kPictureCombo);
  for (const GridProperty& property : kGridProperties) {
    if (!files[property.kind].values.empty() && index-- == 0) pictureChoice_ = &property;
  }
  RedrawPicture();
}

void ConvertDialog::OnUnitsSelChange(PropertyKind property) {
  // The box shows the entry chosen only after this notification: show it now.
  const int combo = kPropertyControls[property].unitsCombo;
  window_.SetComboSelection(combo, window_.GetComboSelection(combo));
  RedrawPicture();
}

void ConvertDialog::RedrawPicture() {
  const GridProperty* property = PicturedProperty();
  if (property == nullptr || nxInput < 1 || elementCount < static_cast<std::uint32_t>(nxInput)) {
    picture_.ClearPicture();
    return;
  }
  const PropertyFile& file = files[property->kind];
  GridPictureRequest request;
  request.values = file.values.data();
  request.nx = nxInput;
  request.nz = static_cast<std::int32_t>(elementCount / static_cast<std::uint32_t>(nxInput));
  const std::int32_t nx = SizeWithin(window_.GetControlText(kNxWriteField), nxWrite, request.nx);
  const std::int32_t nz = SizeWithin(window_.GetControlText(kNzWriteField), nzWrite, request.nz);
  request.window = {0, 0, nx, nz};
  request.title = file.name + ": " + property->code + " (" + property->name + "), " +
                  (nx < request.nx || nz < request.nz ? GridSizeText(nx, nz) + " of " : "") +
                  GridSizeText(request.nx, request.nz);
  const float dx = StepOf(window_.GetControlText(kXStepField));
  const float dz = StepOf(window_.GetControlText(kZStepField));
  if (dx > 0 && dz > 0) {
    request.dx = dx;
    request.dz = dz;
    request.title += ", " + GridStepsText(dx, dz);
  }
  const Unit* unit = FindUnit(property->kind,
                              window_.GetControlText(kPropertyControls[property->kind].unitsCombo));
  request.factor = unit != nullptr ? unit->factor : 1.0f;
  request.unit = unit != nullptr ? property->unit : "file's units";
  picture_.ShowPicture(request);
}
