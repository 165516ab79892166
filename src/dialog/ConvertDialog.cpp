#include "dialog/ConvertDialog.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "app/FolderMemory.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/PropertyTable.h"
#include "grid/GridExport.h"
#include "grid/GridSizes.h"
#include "grid/TextGridReader.h"
#include "ui/DataExchange.h"
#include "ui/DialogWindow.h"

namespace {

const char kCountMismatchMessage[] =
    "Sorry, Files has different number of elements.\n"
    "The program does not know how to process this information";

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

}  // namespace

ConvertDialog::ConvertDialog(DialogWindow& window, std::string workDir)
    : workDir(std::move(workDir)), window_(window) {}

void ConvertDialog::InitControls() {
  UpdateData(false);
  for (int combo : {kVpUnitsCombo, kVsUnitsCombo}) {
    window_.ResetComboList(combo);
    window_.AddComboString(combo, "m/s");
    window_.AddComboString(combo, "ft/s");
    window_.SetComboSelection(combo, 0);
  }
  window_.ResetComboList(kDensityUnitsCombo);
  for (const char* unit : {"kg/m3", "g/cm3", "lb/ft3"}) {
    window_.AddComboString(kDensityUnitsCombo, unit);
  }
  window_.SetComboSelection(kDensityUnitsCombo, 0);
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
  exchange.Text(kXStepField, xStep);
  exchange.Text(kZStepField, zStep);
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

void ConvertDialog::OnBrowseVp() { LoadPropertyFile(Property::kVp); }
void ConvertDialog::OnBrowseDensity() { LoadPropertyFile(Property::kDensity); }
void ConvertDialog::OnBrowseVs() { LoadPropertyFile(Property::kVs); }

void ConvertDialog::LoadPropertyFile(Property property) {
  const PropertyBinding& p = BindingOf(property);
  UpdateData(true);

  FileDialogRequest request;
  request.initialFileName = InitialFileName(ReadRememberedFolder(workDir), "*.txt");
  request.filterDescription = "Text files";
  request.filterPattern = "*.txt";
  FileDialogResult chosen = window_.RunOpenFileDialog(request);
  if (!chosen.confirmed) {
    EnablePropertyControls(property);
    return;
  }
  this->*p.path = chosen.fileName;
  UpdateData(false);
  SaveCurrentFolder(workDir);

  // The full path: the current folder is process-wide and may move before the file is read.
  TextGridScan scan = ScanTextGrid(chosen.fullPath);
  if (!scan.ok()) {
    RefuseFile(property, scan.problem.Message());
    return;
  }
  const TextGridSummary& summary = scan.summary;
  if (elementCount != 0 && summary.count != elementCount) {
    // The refused file's figures stay on show, so the user sees why.
    this->*p.count = static_cast<std::int32_t>(summary.count);
    this->*p.minimum = summary.minimum;
    this->*p.maximum = summary.maximum;
    RefuseFile(property, kCountMismatchMessage);
    return;
  }
  TextGridValues loaded = LoadTextGridValues(chosen.fullPath, scan);
  if (!loaded.ok()) {
    RefuseFile(property, loaded.problem.Message());
    return;
  }
  this->*p.count = static_cast<std::int32_t>(summary.count);
  this->*p.minimum = summary.minimum;
  this->*p.maximum = summary.maximum;
  elementCount = summary.count;
  this->*p.values = std::move(loaded.values);
  this->*p.loaded = true;
  DeriveGridSizes();
  EnablePropertyControls(property);
}

void ConvertDialog::RefuseFile(Property property, const std::string& message) {
  window_.ShowMessage(message);
  this->*BindingOf(property).path = "*.txt";
  UpdateData(false);
}

void ConvertDialog::EnablePropertyControls(Property property) {
  const PropertyBinding& p = BindingOf(property);
  for (int control :
       {p.countField, p.minField, p.maxField, kXSizeCombo, kNzInputField, kInputCountField,
        kNxWriteField, kNzWriteField, kWriteCountField, p.unitsCombo}) {
    window_.EnableControl(control, true);
  }
}

void ConvertDialog::DeriveGridSizes() {
  std::vector<std::int32_t> choices = XSizeChoices(elementCount);
  window_.ResetComboList(kXSizeCombo);
  for (std::int32_t choice : choices) {
    window_.AddComboString(kXSizeCombo, FormatIntegerField(choice));
  }
  int proposed = ProposedXSizeIndex(choices, elementCount);
  window_.SetComboSelection(kXSizeCombo, proposed);
  if (proposed >= 0) {
    std::int32_t x = choices[static_cast<std::size_t>(proposed)];
    std::int32_t count = static_cast<std::int32_t>(elementCount);
    nxInput = x;
    nxWrite = x;
    inputCount = count;
    writeCount = count;
    nzInput = count / x;
    nzWrite = count / x;
  }
  UpdateData(false);
}

void ConvertDialog::OnXSizeSelChange() {
  int selection = window_.GetComboSelection(kXSizeCombo);
  window_.SetComboSelection(kXSizeCombo, selection);
  std::int32_t x = 0;
  if (!ParseIntegerField(window_.GetControlText(kXSizeCombo), x) || x < 1) return;
  nxInput = x;
  nxWrite = x;
  writeCount = inputCount;
  nzInput = static_cast<std::int32_t>(elementCount / static_cast<std::uint32_t>(x));
  nzWrite = nzInput;
  UpdateData(false);
}

void ConvertDialog::OnXSizeEditChange() {}

void ConvertDialog::OnKillFocusNxWrite() {
  std::int32_t previous = nxWrite;
  UpdateData(true);
  SizeCheck check = CheckNxWrite(nxWrite, nxInput);
  if (!check.ok) {
    window_.ShowMessage(check.message);
    nxWrite = previous;
  }
  writeCount = SaturatedProduct(nzWrite, nxWrite);
  UpdateData(false);
}

void ConvertDialog::OnKillFocusNzWrite() {
  std::int32_t previous = nzWrite;
  UpdateData(true);
  SizeCheck check = CheckNzWrite(nzWrite, nzInput, elementCount, nxInput);
  if (!check.ok) {
    window_.ShowMessage(check.message);
    nzWrite = previous;
  }
  writeCount = SaturatedProduct(nxWrite, nzWrite);
  UpdateData(false);
}

void ConvertDialog::OnBrowseOutput() {
  UpdateData(true);
  FileDialogRequest request;
  request.initialFileName = InitialFileName(ReadRememberedFolder(workDir), "*.mvg");
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
  SaveCurrentFolder(workDir);
}

bool ConvertDialog::OnOK() {
  // What was typed last is what gets written; a field that is not a number stops here.
  if (!UpdateData(true)) return false;
  std::string refusal =
      CheckExportRequest(vpLoaded, densityLoaded, vsLoaded, outputPath, inputCount, elementCount);
  if (!refusal.empty()) {
    window_.ShowMessage(refusal);
    return false;
  }
  ExportSource source;
  source.vpValues = vpLoaded ? vpValues.get() : nullptr;
  source.densityValues = densityLoaded ? densityValues.get() : nullptr;
  source.vsValues = vsLoaded ? vsValues.get() : nullptr;
  source.elementCount = elementCount;
  source.nxInput = nxInput;
  source.nxWrite = nxWrite;
  source.nzWrite = nzWrite;
  source.xStep = xStep;
  source.zStep = zStep;
  source.vpUnitIndex = window_.GetComboSelection(kVpUnitsCombo);
  source.densityUnitIndex = window_.GetComboSelection(kDensityUnitsCombo);
  source.vsUnitIndex = window_.GetComboSelection(kVsUnitsCombo);
  ExportResult result = ExportGridFile(source, outputFullPath);
  if (!result.ok) {
    window_.ShowMessage(result.message);
    return false;
  }
  return true;
}
