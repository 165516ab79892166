#include "dialog/ConvertDialog.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "conversion/Findings.h"
#include "conversion/PropertyLoad.h"
#include "conversion/ShapeFindings.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/PropertyTable.h"
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

ConvertDialog::ConvertDialog(DialogWindow& window, FolderMemory& folderMemory)
    : window_(window), folderMemory_(folderMemory) {}

void ConvertDialog::InitControls() {
  UpdateData(false);
  for (const auto& [kind, combo] :
       {std::pair{PropertyKind::kVp, kVpUnitsCombo}, std::pair{PropertyKind::kVs, kVsUnitsCombo},
        std::pair{PropertyKind::kDensity, kDensityUnitsCombo}}) {
    window_.ResetComboList(combo);
    for (const Unit* unit : ListedUnits(kind)) window_.AddComboString(combo, unit->name);
    window_.SetComboSelection(combo, 0);
  }
}

void ConvertDialog::DoDataExchange(DataExchange& exchange) {
  // The four combo boxes (1009, 1015, 1010, 1014) come first and have no text of their own
  // here; the buttons have none either. The order decides where a failed take-in stops.
  exchange.Text(kDensityMaxField, densityMax);
  exchange.Text(kDensityMinField, densityMin);
  exchange.Text(kDensityCountField, densityCount);
  exchange.Text(kVpMaxField, vpMax);
  exchange.Text(kVsMaxField, vsMax);
  exchange.Text(kVpMinField, vpMin);
  exchange.Text(kVsMinField, vsMin);
  exchange.Text(kVpCountField, vpCount);
  exchange.Text(kVsCountField, vsCount);
  exchange.Text(kInputCountField, inputCount);
  // Steps in full: a browse between typing and OK shows them again and must not round them.
  exchange.ExactText(kXStepField, xStep);
  exchange.ExactText(kZStepField, zStep);
  exchange.Text(kVpNameText, vpPath);
  exchange.Text(kVsNameText, vsPath);
  exchange.Text(kDensityNameText, densityPath);
  exchange.Text(kOutputNameText, outputPath);
  exchange.Text(kNzInputField, nzInput);
  exchange.Text(kNxWriteField, nxWrite);
  exchange.Text(kNzWriteField, nzWrite);
  exchange.Text(kWriteCountField, writeCount);
}

bool ConvertDialog::UpdateData(bool takeIn) {
  DataExchange exchange(window_, takeIn);
  DoDataExchange(exchange);
  return !exchange.failed();
}

void ConvertDialog::OnBrowseVp() { LoadPropertyFile(PropertyKind::kVp); }
void ConvertDialog::OnBrowseDensity() { LoadPropertyFile(PropertyKind::kDensity); }
void ConvertDialog::OnBrowseVs() { LoadPropertyFile(PropertyKind::kVs); }

void ConvertDialog::LoadPropertyFile(PropertyKind property) {
  UpdateData(true);

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
  UpdateData(true);
  FileDialogResult chosen;
  chosen.confirmed = true;
  chosen.fullPath = paths.front();
  const std::size_t separator = chosen.fullPath.find_last_of("/\\");
  chosen.fileName =
      separator == std::string::npos ? chosen.fullPath : chosen.fullPath.substr(separator + 1);
  chosen.folder =
      separator == std::string::npos ? std::string() : chosen.fullPath.substr(0, separator);
  // As a confirmed Open dialog does, the file's folder becomes the current one.
  folderMemory_.MakeCurrent(chosen.folder);
  LoadChosenFile(*droppedOn, chosen);
}

void ConvertDialog::LoadChosenFile(PropertyKind property, const FileDialogResult& chosen) {
  const PropertyBinding& p = BindingOf(property);
  this->*p.path = chosen.fileName;
  UpdateData(false);
  folderMemory_.SaveCurrentFolder();

  // A later file with the count already loaded keeps the X size the user chose.
  const bool keepChosenSize = AnyLoaded();
  LoadedProperty loaded;
  {
    WaitCursor wait(window_);
    // The full path: the current folder is process-wide and may move before the file is read.
    loaded = LoadProperty(chosen.fullPath, chosen.fileName, elementCount);
  }
  if (loaded.countDiffers) {
    // The refused file's figures stay on show, so the user sees why.
    this->*p.count = static_cast<std::int32_t>(loaded.summary.count);
    this->*p.minimum = loaded.summary.minimum;
    this->*p.maximum = loaded.summary.maximum;
    // Where its lines break the pattern shows where a value is missing or too many.
    RefuseFile(property, std::string(kCountMismatchMessage) + "\n\n" + chosen.fileName + ": " +
                             DescribeLines(loaded.lines));
    return;
  }
  if (!loaded.ok()) {
    RefuseFile(property, loaded.status.message() + kNotLoaded);
    return;
  }
  this->*p.count = static_cast<std::int32_t>(loaded.summary.count);
  this->*p.minimum = loaded.summary.minimum;
  this->*p.maximum = loaded.summary.maximum;
  this->*p.fullPath = chosen.fullPath;
  elementCount = loaded.summary.count;
  this->*p.values = std::move(loaded.values);
  this->*p.loaded = true;
  this->*p.lines = loaded.lines;
  DeriveGridSizes(keepChosenSize, loaded.lines);
  EnablePropertyControls(property);
  // A value missing or one too many shows at once, with where the lines break their pattern.
  const std::string shape = FileShapeFinding(chosen.fileName, loaded.lines, elementCount);
  if (!shape.empty()) window_.ShowMessage(shape);
}

void ConvertDialog::RefuseFile(PropertyKind property, const std::string& message) {
  window_.ShowMessage(message);
  this->*BindingOf(property).path = "*.txt";
  UpdateData(false);
}

void ConvertDialog::EnablePropertyControls(PropertyKind property) {
  const PropertyBinding& p = BindingOf(property);
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
    UpdateData(false);
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
  UpdateData(false);
}

void ConvertDialog::ChooseXSize(std::int32_t x) {
  nxInput = x;
  nxWrite = x;
  writeCount = inputCount;
  nzInput = static_cast<std::int32_t>(elementCount / static_cast<std::uint32_t>(x));
  nzWrite = nzInput;
  UpdateData(false);
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
  // With nothing loaded there is no size to check against; and a message of ours that took the
  // focus has just told the user what there was to tell.
  if (!AnyLoaded() || window_.IsShowingMessage()) return;
  std::int32_t previous = nxWrite;
  UpdateData(true);
  Status check = CheckNxWrite(nxWrite, nxInput);
  if (!check.ok()) {
    window_.ShowMessage(check.message());
    nxWrite = previous;
  }
  writeCount = SaturatedProduct(nzWrite, nxWrite);
  UpdateData(false);
}

void ConvertDialog::OnKillFocusNzWrite() {
  if (!AnyLoaded() || window_.IsShowingMessage()) return;
  std::int32_t previous = nzWrite;
  UpdateData(true);
  Status check = CheckNzWrite(nzWrite, nzInput, elementCount, nxInput);
  if (!check.ok()) {
    window_.ShowMessage(check.message());
    nzWrite = previous;
  }
  writeCount = SaturatedProduct(nxWrite, nzWrite);
  UpdateData(false);
}

void ConvertDialog::OnBrowseOutput() {
  UpdateData(true);
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
    UpdateData(false);
  }
  folderMemory_.SaveCurrentFolder();
}

bool ConvertDialog::BuildRequest(ConversionRequest& request) {
  for (const PropertyKind kind : {PropertyKind::kVp, PropertyKind::kDensity, PropertyKind::kVs}) {
    const PropertyBinding& p = BindingOf(kind);
    if (!(this->*p.loaded)) continue;
    // The box's text decides, typed or chosen.
    const std::string text = window_.GetControlText(p.unitsCombo);
    const Unit* unit = FindUnit(kind, text);
    if (unit == nullptr) {
      window_.ShowMessage(UnknownUnitMessage(kind, text));
      return false;
    }
    PropertyInput& input = kind == PropertyKind::kVp        ? request.vp
                           : kind == PropertyKind::kDensity ? request.density
                                                            : request.vs;
    input.values = (this->*p.values).data();
    input.unit = unit;
    input.path = this->*p.fullPath;
    input.name = this->*p.path;
    input.lines = &(this->*p.lines);
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
  request.elementCount = elementCount;
  request.inputCount = inputCount;
  request.nxInput = nxInput;
  request.nzInput = nzInput;
  request.nxWrite = nxWrite;
  request.nzWrite = nzWrite;
  request.xStep = xStep;
  request.zStep = zStep;
  request.outputName = outputPath;
  request.outputPath = outputFullPath;
  return true;
}

bool ConvertDialog::OnOK() {
  // What was typed last is what gets written; a field that is not a number stops here.
  const std::int32_t previousNxWrite = nxWrite, previousNzWrite = nzWrite;
  if (!UpdateData(true)) return false;
  ConversionRequest request;
  if (!BuildRequest(request)) return false;
  RequestPart refused = RequestPart::kNone;
  const Status checked = CheckConversionRequest(request, &refused);
  if (!checked.ok()) {
    window_.ShowMessage(checked.message());
    // A refused size goes back to the last one accepted, as when its field loses the focus.
    if (refused == RequestPart::kNxWrite || refused == RequestPart::kNzWrite) {
      nxWrite = refused == RequestPart::kNxWrite ? previousNxWrite : nxWrite;
      nzWrite = refused == RequestPart::kNzWrite ? previousNzWrite : nzWrite;
      writeCount = SaturatedProduct(nxWrite, nzWrite);
      UpdateData(false);
    }
    return false;
  }
  const std::vector<std::string> findings = FindingsOf(request);
  if (!findings.empty()) {
    std::string question;
    for (const std::string& finding : findings) question += finding + "\n";
    if (!window_.AskYesNo(question + "\nWrite the grid file anyway?")) return false;
  }
  Status written;
  {
    WaitCursor wait(window_);
    written = WriteGridFile(request);
  }
  if (!written.ok()) {
    window_.ShowMessage(written.message());
    return false;
  }
  return true;
}
