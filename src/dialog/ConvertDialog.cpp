#include "dialog/ConvertDialog.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <utility>

#include "conversion/Conversion.h"
#include "conversion/LoadedGrid.h"
#include "conversion/NoDataFindings.h"
#include "conversion/PreparationSummary.h"
#include "conversion/PropertyLoad.h"
#include "conversion/ShapeFindings.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/ModelPictureView.h"
#include "dialog/PreparationFields.h"
#include "folders/FolderMemory.h"
#include "grid/NumberText.h"
#include "textgrid/GridOrder.h"
#include "textgrid/GridSizes.h"
#include "ui/DataExchange.h"
#include "ui/DialogWindow.h"

namespace {

const char kCountMismatchMessage[] =
    "Sorry, Files has different number of elements.\n"
    "The program does not know how to process this information";
const char kNotLoaded[] = ".\nThe file was not loaded.";
const char kReadAsBefore[] = ".\nThe files stay as they were read before.";

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

// The window along one axis, its first node and size: as typed when it lies within the grid's
// `nodes`, else as accepted last when that does, else the whole axis.
std::pair<std::int32_t, std::int32_t> AxisWithin(const std::string& typedFrom,
                                                 const std::string& typedSize,
                                                 std::int32_t acceptedFrom,
                                                 std::int32_t acceptedSize, std::int32_t nodes) {
  const auto within = [nodes](std::int32_t from, std::int32_t size) {
    return from >= 0 && size >= 1 && size <= nodes - from;
  };
  std::int32_t from = 0, size = 0;
  if (ReadInt32(typedFrom, &from) && ReadInt32(typedSize, &size) && within(from, size)) {
    return {from, size};
  }
  if (within(acceptedFrom, acceptedSize)) return {acceptedFrom, acceptedSize};
  return {0, nodes};
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

// The field a refusal of the request points at; 0 for none.
int FieldOf(RequestPart part, const ConversionRequest& request) {
  const ModelPreparation& preparation = request.preparation;
  // With Vp loaded, a Vp/Vs rule is refused for its ratio.
  if (part == RequestPart::kVsSource && request.inputs[PropertyKind::kVp].values != nullptr &&
      preparation.sources[PropertyKind::kVs].rule == PropertyRule::kVpRatio) {
    return kVsRatioField;
  }
  if (part == RequestPart::kWater) {
    return preparation.waterVp >= 0.0f ? kWaterDensityField : kWaterVpField;
  }
  constexpr std::pair<RequestPart, int> kFields[] = {
      {RequestPart::kOutput, kOutputBrowseButton},
      {RequestPart::kInputCount, kInputCountField},
      {RequestPart::kNxWrite, kNxWriteField},
      {RequestPart::kNzWrite, kNzWriteField},
      {RequestPart::kXStep, kXStepField},
      {RequestPart::kZStep, kZStepField},
      {RequestPart::kXFrom, kXFromField},
      {RequestPart::kZFrom, kZFromField},
      {RequestPart::kDensitySource, kDensitySourceCombo},
      {RequestPart::kVsSource, kVsSourceCombo},
      {RequestPart::kHoles, kHolesCombo},
      {RequestPart::kNewXStep, kNewXStepField},
      {RequestPart::kNewZStep, kNewZStepField},
      {RequestPart::kBorder, kBorderField}};
  for (const auto& [each, field] : kFields) {
    if (each == part) return field;
  }
  return 0;
}

// Whether a file read for the request holds holes that are left unfilled.
bool HolesLeft(const ConversionRequest& request) {
  for (const GridProperty& property : kGridProperties) {
    const PropertyInput& input = request.inputs[property.kind];
    if (input.values != nullptr &&
        request.preparation.sources[property.kind].fill.how == HoleFilling::kNone &&
        TakeCensus(input.values, request.window.elementCount, input.range).markers > 0) {
      return true;
    }
  }
  return false;
}

// The one question before writing: the findings (and where holes can be filled), what is done to
// the model and its stability report, each a paragraph; empty when there is nothing to tell.
std::string WriteQuestion(const ConversionRequest& request,
                          const std::vector<std::string>& findings, const StabilityReport& report) {
  std::vector<std::string> paragraphs;
  const auto add = [&paragraphs](const std::vector<std::string>& lines, const char* indent) {
    if (lines.empty()) return;
    std::string paragraph;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      paragraph += (i == 0 ? "" : std::string("\n") + indent) + lines[i];
    }
    paragraphs.push_back(paragraph);
  };
  std::vector<std::string> found = findings;
  if (!found.empty() && HolesLeft(request)) {
    found.push_back("\"Fill holes\" below the picture fills them: nearest, or a value typed.");
  }
  add(found, "");
  add(PreparationSummary(request), "");
  add(StabilityLines(report), "  ");
  if (paragraphs.empty()) return {};
  std::string question;
  for (const std::string& paragraph : paragraphs) question += paragraph + "\n\n";
  return question + (findings.empty() ? "Write the grid file?" : "Write the grid file anyway?");
}

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
  InitPreparationFields(window_);
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
  exchange.Text(kXFromField, xFrom);
  exchange.Text(kNzWriteField, nzWrite);
  exchange.Text(kZFromField, zFrom);
  exchange.Text(kWriteCountField, writeCount);
}

bool ConvertDialog::TakeControlTexts(int* failedControl) {
  DataExchange exchange(window_, true);
  DoDataExchange(exchange);
  if (failedControl != nullptr) *failedControl = exchange.failedControl();
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

bool ConvertDialog::FileUsed(PropertyKind property) const {
  return !files[property].values.empty() && ChosenRule(window_, property) == PropertyRule::kFile;
}

std::int64_t ConvertDialog::RowsHeld() const {
  const std::int64_t rows = nxInput > 0 ? elementCount / static_cast<std::uint32_t>(nxInput) : 0;
  return std::min<std::int64_t>(nzInput, rows);
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
  const std::string heldName = file.name;
  const std::int32_t heldCount = file.count;
  const float heldMinimum = file.minimum, heldMaximum = file.maximum;
  file.name = chosen.fileName;
  ShowMembers();
  folderMemory_.SaveCurrentFolder();

  // A later file with the count already loaded keeps the X size the user chose, unless its form
  // states one.
  bool keepChosenSize = AnyLoaded();
  LoadedProperty loaded;
  {
    WaitCursor wait(window_);
    // The full path: the current folder is process-wide and may move before the file is read.
    loaded = LoadProperty(chosen.fullPath, chosen.fileName, elementCount, {}, reading_);
  }
  // A file refused for its count keeps its figures on show, so the user sees why, unless the
  // property holds a file from before.
  if (loaded.ok() || loaded.countDiffers) {
    file.count = static_cast<std::int32_t>(loaded.summary.count);
    file.minimum = loaded.summary.minimum;
    file.maximum = loaded.summary.maximum;
  }
  const std::string refusal = RefusalOf(property, loaded, reading_);
  if (!refusal.empty()) {
    // A file held from before stays shown: it is what OK writes.
    if (!file.values.empty()) {
      file.name = heldName;
      file.count = heldCount;
      file.minimum = heldMinimum;
      file.maximum = heldMaximum;
    }
    RefuseFile(property, refusal);
    return;
  }
  file.fullPath = chosen.fullPath;
  keepChosenSize = keepChosenSize && !loaded.form.statesSizes;
  Accept(file, loaded);
  lastLoaded_ = property;
  FillStatedSteps(file.form);
  DeriveGridSizes(keepChosenSize, file.lines, file.form);
  EnablePropertyControls(property);
  // A file dropped on a property derived by a rule is read from it instead.
  const int sourceCombo = kPropertyControls[property].sourceCombo;
  if (sourceCombo != 0) window_.SetComboSelection(sourceCombo, 0);
  EnableSourceControls();
  ShowPictureChoices();
  RedrawPicture();
  ShowReading();
  // A value missing or one too many shows at once, with where the lines break their pattern.
  if (file.form.statesSizes) return;
  const std::string shape =
      FileShapeFinding(chosen.fileName, file.lines, elementCount, reading_.order);
  if (!shape.empty()) window_.ShowMessage(shape);
}

std::string ConvertDialog::RefusalOf(PropertyKind property, const LoadedProperty& loaded,
                                     const TextReadingChoices& choices) const {
  const std::string& name = files[property].name;
  if (loaded.ok() || loaded.countDiffers) {
    for (const GridProperty& other : kGridProperties) {
      const PropertyFile& held = files[other.kind];
      if (other.kind == property || held.values.empty()) continue;
      const std::string problem = SameGridProblem(name, loaded.form, held.name, held.form);
      if (!problem.empty()) return problem + kNotLoaded;
    }
  }
  if (loaded.countDiffers) {
    // Where its lines break the pattern shows where a value is missing or too many.
    return std::string(kCountMismatchMessage) + "\n\n" + name + ": " + DescribeLines(loaded.lines);
  }
  if (!loaded.ok()) {
    return loaded.status.message() +
           (loaded.commasUndecided ? "; \"Decimal comma\" reads every comma as a decimal mark"
                                   : "") +
           kNotLoaded;
  }
  // Only the order of the values is asked here: the X size comes later.
  const Status order = ArrangeValues(nullptr, 0, loaded.form, name, 0, choices);
  return order.ok() ? std::string() : order.message() + kNotLoaded;
}

void ConvertDialog::Accept(PropertyFile& file, LoadedProperty& loaded) {
  file.count = static_cast<std::int32_t>(loaded.summary.count);
  file.minimum = loaded.summary.minimum;
  file.maximum = loaded.summary.maximum;
  file.endMarkLine = loaded.endMarkLine;
  file.range = RangeOfValues(loaded.summary);
  file.values = std::move(loaded.values);
  file.lines = std::move(loaded.lines);
  file.form = std::move(loaded.form);
  file.arrangedNx = 0;
  elementCount = loaded.summary.count;
}

void ConvertDialog::OnReadingChoice() {
  TextReadingChoices chosen;
  chosen.order = window_.IsChecked(kColumnsCheck) ? ValueOrder::kColumns : ValueOrder::kRows;
  chosen.flipZ = window_.IsChecked(kFlipZCheck);
  chosen.decimalComma = window_.IsChecked(kDecimalCommaCheck);
  if (!AnyLoaded()) {
    reading_ = chosen;
    return;
  }
  TakeControlTexts();
  const Status read = ReadAgain(chosen);
  if (!read.ok()) {
    window_.SetChecked(kColumnsCheck, reading_.order == ValueOrder::kColumns);
    window_.SetChecked(kFlipZCheck, reading_.flipZ);
    window_.SetChecked(kDecimalCommaCheck, reading_.decimalComma);
    window_.ShowMessage(read.message());
    return;
  }
  reading_ = chosen;
  // The X size and the steps follow the first file, or the first whose form states them.
  const PropertyFile* first = nullptr;
  const PropertyFile* stater = nullptr;
  for (const PropertyFile& file : files.each) {
    if (file.values.empty()) continue;
    if (first == nullptr) first = &file;
    if (stater == nullptr && file.form.statesSizes) stater = &file;
  }
  if (stater == nullptr) stater = first;
  FillStatedSteps(stater->form);
  DeriveGridSizes(false, first->lines, stater->form);
  RedrawPicture();
  ShowReading();
}

Status ConvertDialog::ReadAgain(const TextReadingChoices& choices) {
  PerProperty<LoadedProperty> again;
  std::uint32_t count = 0;
  {
    WaitCursor wait(window_);
    for (const GridProperty& property : kGridProperties) {
      const PropertyFile& file = files[property.kind];
      if (file.values.empty()) continue;
      LoadedProperty& loaded = again[property.kind];
      loaded = LoadProperty(file.fullPath, file.name, count, {}, choices);
      std::string refusal = RefusalOf(property.kind, loaded, choices);
      if (!refusal.empty()) {
        const std::size_t tail = std::string(kNotLoaded).size();
        if (refusal.size() >= tail &&
            refusal.compare(refusal.size() - tail, tail, kNotLoaded) == 0) {
          refusal.resize(refusal.size() - tail);
        }
        return Status::Error(refusal + kReadAsBefore);
      }
      count = loaded.summary.count;
    }
  }
  for (const GridProperty& property : kGridProperties) {
    if (!files[property.kind].values.empty()) Accept(files[property.kind], again[property.kind]);
  }
  ShowMembers();
  return Status();
}

void ConvertDialog::FillStatedSteps(const TextGridForm& form) {
  if (!form.statesSteps) return;
  if (xStep == filledXStep_) xStep = filledXStep_ = form.dx;
  if (zStep == filledZStep_) zStep = filledZStep_ = form.dz;
  ShowMembers();
}

Status ConvertDialog::ArrangeLoaded() {
  for (PropertyFile& file : files.each) {
    if (file.values.empty() || file.arrangedNx == nxInput) continue;
    const std::uint64_t count = file.values.size();
    if (file.arrangedNx > 0) {
      if (!RestoreFileOrder(file.values.data(), count, static_cast<std::uint64_t>(file.arrangedNx),
                            reading_.order, reading_.flipZ)) {
        return Status::Error(file.name +
                             ": not enough memory to put its values in the order of the file");
      }
      file.arrangedNx = 0;
    }
    // No grid of that X size: the values stay as the file holds them, not drawn, and OK refuses
    // the sizes.
    if (nxInput <= 0 || count % static_cast<std::uint64_t>(nxInput) != 0) continue;
    const Status arranged = ArrangeValues(file.values.data(), static_cast<std::uint32_t>(count),
                                          file.form, file.name, nxInput, reading_);
    if (!arranged.ok()) return arranged;
    file.arrangedNx = nxInput;
  }
  return Status();
}

void ConvertDialog::ShowReading() {
  std::string text;
  if (lastLoaded_ && !files[*lastLoaded_].values.empty()) {
    const PropertyFile& file = files[*lastLoaded_];
    const std::string reading = DescribeReading(file.form);
    text = file.name + ": " + (reading.empty() ? file.form.name : reading);
  }
  window_.SetControlText(kReadingText, text);
}

void ConvertDialog::RefuseFile(PropertyKind property, const std::string& message) {
  window_.ShowMessage(message);
  if (files[property].values.empty()) files[property].name = "*.txt";
  ShowMembers();
}

void ConvertDialog::EnablePropertyControls(PropertyKind property) {
  const PropertyControls& p = kPropertyControls[property];
  for (int control :
       {p.countField, p.minField, p.maxField, kXSizeCombo, kNzInputField, kInputCountField,
        kNxWriteField, kNzWriteField, kWriteCountField, kXFromField, kZFromField, p.unitsCombo}) {
    window_.EnableControl(control, true);
  }
}

void ConvertDialog::EnableSourceControls() {
  bool anyRule = false;
  for (const GridProperty& property : kGridProperties) {
    const bool fromFile = ChosenRule(window_, property.kind) == PropertyRule::kFile;
    anyRule = anyRule || !fromFile;
    const PropertyControls& p = kPropertyControls[property.kind];
    window_.EnableControl(p.nameText, fromFile);
    window_.EnableControl(p.browseButton, fromFile);
    for (int control : {p.countField, p.minField, p.maxField, p.unitsCombo}) {
      window_.EnableControl(control, FileUsed(property.kind));
    }
  }
  window_.EnableControl(kVsRatioField,
                        ChosenRule(window_, PropertyKind::kVs) == PropertyRule::kVpRatio);
  window_.EnableControl(kWaterVpField, anyRule);
  window_.EnableControl(kWaterDensityField, anyRule);
}

void ConvertDialog::OnSourceSelChange() {
  EnableSourceControls();
  ShowPictureChoices();
  RedrawPicture();
}

void ConvertDialog::DeriveGridSizes(bool keepChosenSize, const TextGridLines& lines,
                                    const TextGridForm& form) {
  xSizes_ = XSizeChoices(elementCount);
  // A grid a form states may be one row deep, or one column wide.
  const bool stated =
      form.statesSizes && form.nx > 0 &&
      static_cast<std::uint64_t>(form.nx) * static_cast<std::uint64_t>(form.nz) == elementCount;
  if (stated && std::find(xSizes_.begin(), xSizes_.end(), form.nx) == xSizes_.end()) {
    xSizes_.insert(std::upper_bound(xSizes_.begin(), xSizes_.end(), form.nx), form.nx);
  }
  window_.ResetComboList(kXSizeCombo);
  for (std::int32_t choice : xSizes_) window_.AddComboString(kXSizeCombo, FormatInteger(choice));
  if (keepChosenSize) {
    const auto chosen = std::find(xSizes_.begin(), xSizes_.end(), nxInput);
    window_.SetComboSelection(
        kXSizeCombo, chosen == xSizes_.end() ? -1 : static_cast<int>(chosen - xSizes_.begin()));
    ShowMembers();
    const Status arranged = ArrangeLoaded();
    if (!arranged.ok()) window_.ShowMessage(arranged.message());
    return;
  }
  const int proposed =
      stated
          ? static_cast<int>(std::find(xSizes_.begin(), xSizes_.end(), form.nx) - xSizes_.begin())
          : ProposedXSizeIndex(xSizes_, elementCount, lines, reading_.order);
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
    xFrom = 0;
    zFrom = 0;
  }
  ShowMembers();
  const Status arranged = ArrangeLoaded();
  if (!arranged.ok()) window_.ShowMessage(arranged.message());
}

void ConvertDialog::ChooseXSize(std::int32_t x) {
  nxInput = x;
  nxWrite = x;
  writeCount = inputCount;
  nzInput = static_cast<std::int32_t>(elementCount / static_cast<std::uint32_t>(x));
  nzWrite = nzInput;
  xFrom = 0;
  zFrom = 0;
  ShowMembers();
  const Status arranged = ArrangeLoaded();
  if (!arranged.ok()) window_.ShowMessage(arranged.message());
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
  CheckWindowOnLeaving(nxWrite, [this] {
    const Status size = CheckNxWrite(nxWrite, nxInput);
    return size.ok() ? CheckWindowAxis(RequestPart::kXFrom, xFrom, nxWrite, nxInput) : size;
  });
}

void ConvertDialog::OnKillFocusNzWrite() {
  CheckWindowOnLeaving(nzWrite, [this] {
    const Status size = CheckNzWrite(nzWrite, nzInput, elementCount, nxInput);
    return size.ok() ? CheckWindowAxis(RequestPart::kZFrom, zFrom, nzWrite, RowsHeld()) : size;
  });
}

void ConvertDialog::OnKillFocusXFrom() {
  CheckWindowOnLeaving(
      xFrom, [this] { return CheckWindowAxis(RequestPart::kXFrom, xFrom, nxWrite, nxInput); });
}

void ConvertDialog::OnKillFocusZFrom() {
  CheckWindowOnLeaving(
      zFrom, [this] { return CheckWindowAxis(RequestPart::kZFrom, zFrom, nzWrite, RowsHeld()); });
}

void ConvertDialog::CheckWindowOnLeaving(std::int32_t& value,
                                         const std::function<Status()>& check) {
  // With nothing loaded there is no grid to check against; a message of ours that took the
  // focus has just told the user what there was to tell; and a field the focus is taken from to
  // point at another is not being left by the user.
  if (!AnyLoaded() || window_.IsShowingMessage() || pointing_) return;
  const std::int32_t previous = value;
  TakeControlTexts();
  const Status checked = check();
  if (!checked.ok()) {
    window_.ShowMessage(checked.message());
    value = previous;
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
    if (!FileUsed(property.kind)) continue;
    // The box's text decides, typed or chosen.
    const std::string text = window_.GetControlText(kPropertyControls[property.kind].unitsCombo);
    const Unit* unit = FindUnit(property.kind, text);
    if (unit == nullptr) {
      window_.ShowMessage(UnknownUnitMessage(property.kind, text));
      return false;
    }
    request.inputs[property.kind] = {file.values.data(),
                                     unit,
                                     file.fullPath,
                                     file.name,
                                     LinesHoldRows(file.form) ? &file.lines : nullptr,
                                     file.endMarkLine,
                                     file.range,
                                     file.form.holes > 0 ? file.form.holeMarker : "",
                                     &file.form};
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
  PreparationFields fields = TakePreparationFields(window_, xStep, zStep);
  if (!fields.ok()) {
    window_.ShowMessage(fields.message);
    PointAt(fields.refusedControl);
    return false;
  }
  request.preparation = fields.preparation;
  // The values written are in the grid's order for the X size chosen, or nothing is written.
  const Status arranged = ArrangeLoaded();
  if (!arranged.ok()) {
    window_.ShowMessage(arranged.message());
    return false;
  }
  request.order = reading_.order;
  request.window = {elementCount, nxInput, nxWrite, nzWrite, xStep, zStep, xFrom, zFrom};
  request.inputCount = inputCount;
  request.nzInput = nzInput;
  request.outputName = outputPath;
  request.outputPath = outputFullPath;
  return true;
}

bool ConvertDialog::OnOK() {
  // What was typed last is what gets written; a field that is not a number stops here.
  const std::int32_t accepted[] = {nxWrite, xFrom, nzWrite, zFrom};
  int failedControl = 0;
  if (!TakeControlTexts(&failedControl)) {
    PointAt(failedControl);
    return false;
  }
  ConversionRequest request;
  if (!BuildRequest(request)) return false;
  // The findings are asked about with the report, in one question.
  std::vector<std::string> findingsSeen;
  FindingsAnswer answer;
  answer.writeDespite = [&findingsSeen](const std::vector<std::string>& findings) {
    findingsSeen = findings;
    return true;
  };
  // The wait cursor shows while the file is made, and not while the question waits.
  std::unique_ptr<WaitCursor> writing;
  answer.writeWithReport = [this, &request, &findingsSeen,
                            &writing](const StabilityReport& report) {
    writing.reset();
    const std::string question = WriteQuestion(request, findingsSeen, report);
    return question.empty() || window_.AskYesNo(question);
  };
  answer.writing = [this, &writing] { writing = std::make_unique<WaitCursor>(window_); };
  const ConversionResult result = RunConversion(request, answer);
  writing.reset();
  if (result.status.ok()) return result.written;
  window_.ShowMessage(result.status.message());
  // A refused window goes back to the one accepted last, as when its field loses the focus: the
  // size alone, or with the first node.
  const RequestPart part = result.refused;
  const bool alongX = part == RequestPart::kNxWrite || part == RequestPart::kXFrom;
  const bool alongZ = part == RequestPart::kNzWrite || part == RequestPart::kZFrom;
  if (alongX || alongZ) {
    nxWrite = alongX ? accepted[0] : nxWrite;
    xFrom = part == RequestPart::kXFrom ? accepted[1] : xFrom;
    nzWrite = alongZ ? accepted[2] : nzWrite;
    zFrom = part == RequestPart::kZFrom ? accepted[3] : zFrom;
    writeCount = SaturatedProduct(nxWrite, nzWrite);
    ShowMembers();
    RedrawPicture();
  }
  PointAt(FieldOf(part, request));
  return false;
}

void ConvertDialog::PointAt(int controlId) {
  if (controlId == 0) return;
  pointing_ = true;
  window_.FocusControl(controlId);
  pointing_ = false;
}

const GridProperty* ConvertDialog::PicturedProperty() const {
  if (pictureChoice_ != nullptr && FileUsed(pictureChoice_->kind)) return pictureChoice_;
  for (const GridProperty& property : kGridProperties) {
    if (FileUsed(property.kind)) return &property;
  }
  return nullptr;
}

void ConvertDialog::ShowPictureChoices() {
  window_.ResetComboList(kPictureCombo);
  const GridProperty* pictured = PicturedProperty();
  for (const GridProperty& property : kGridProperties) {
    if (!FileUsed(property.kind)) continue;
    const int index = window_.AddComboString(kPictureCombo, property.name);
    if (&property == pictured) window_.SetComboSelection(kPictureCombo, index);
  }
  window_.EnableControl(kPictureCombo, pictured != nullptr);
}

void ConvertDialog::OnPictureSelChange() {
  int index = window_.GetComboSelection(kPictureCombo);
  for (const GridProperty& property : kGridProperties) {
    if (FileUsed(property.kind) && index-- == 0) pictureChoice_ = &property;
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
  if (file.arrangedNx != nxInput) {
    picture_.ClearPicture();
    return;
  }
  GridPictureRequest request;
  request.values = file.values.data();
  request.nx = nxInput;
  request.nz = static_cast<std::int32_t>(elementCount / static_cast<std::uint32_t>(nxInput));
  const auto [x, nx] =
      AxisWithin(window_.GetControlText(kXFromField), window_.GetControlText(kNxWriteField), xFrom,
                 nxWrite, request.nx);
  const auto [z, nz] =
      AxisWithin(window_.GetControlText(kZFromField), window_.GetControlText(kNzWriteField), zFrom,
                 nzWrite, request.nz);
  request.window = {x, z, nx, nz};
  std::string part;
  if (nx < request.nx || nz < request.nz) {
    part = GridSizeText(nx, nz) +
           (x != 0 || z != 0 ? " from x " + FormatInteger(x) + ", z " + FormatInteger(z) : "") +
           " of ";
  }
  request.title = file.name + ": " + property->code + " (" + property->name + "), " + part +
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
