#include "dialog/PropertyFiles.h"

#include <utility>

#include "conversion/LoadedGrid.h"
#include "conversion/PropertyLoad.h"
#include "conversion/ShapeFindings.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/WaitCursor.h"
#include "folders/FolderMemory.h"
#include "textgrid/GridOrder.h"
#include "ui/DataExchange.h"

namespace {

const char kCountMismatchMessage[] =
    "Sorry, Files has different number of elements.\n"
    "The program does not know how to process this information";
const char kNotLoaded[] = ".\nThe file was not loaded.";
const char kReadAsBefore[] = ".\nThe files stay as they were read before.";

}  // namespace

PropertyFiles::PropertyFiles(DialogWindow& window, FolderMemory& folderMemory)
    : window_(window), folderMemory_(folderMemory) {}

void PropertyFiles::InitUnitLists() {
  for (const GridProperty& property : kGridProperties) {
    const int combo = kPropertyControls[property.kind].unitsCombo;
    window_.ResetComboList(combo);
    for (const Unit* unit : ListedUnits(property.kind)) window_.AddComboString(combo, unit->name);
    window_.SetComboSelection(combo, 0);
  }
}

void PropertyFiles::Exchange(DataExchange& exchange) {
  for (const GridProperty& property : kGridProperties) {
    const PropertyControls& controls = kPropertyControls[property.kind];
    PropertyFile& file = files_[property.kind];
    exchange.Text(controls.countField, file.count);
    exchange.Text(controls.minField, file.minimum);
    exchange.Text(controls.maxField, file.maximum);
    exchange.Text(controls.nameText, file.name);
  }
}

void PropertyFiles::ShowFigures() {
  DataExchange exchange(window_, false);
  Exchange(exchange);
}

void PropertyFiles::EnableControls(PropertyKind property) {
  const PropertyControls& p = kPropertyControls[property];
  for (int control : {p.countField, p.minField, p.maxField, p.unitsCombo}) {
    window_.EnableControl(control, true);
  }
}

void PropertyFiles::EnableFileControls(PropertyKind property, bool fromFile) {
  const PropertyControls& p = kPropertyControls[property];
  window_.EnableControl(p.nameText, fromFile);
  window_.EnableControl(p.browseButton, fromFile);
  for (int control : {p.countField, p.minField, p.maxField, p.unitsCombo}) {
    window_.EnableControl(control, fromFile && Loaded(property));
  }
}

bool PropertyFiles::AnyLoaded() const {
  for (const PropertyFile& file : files_.each) {
    if (!file.values.empty()) return true;
  }
  return false;
}

const PropertyFile* PropertyFiles::LastLoaded() const {
  return lastLoaded_ && Loaded(*lastLoaded_) ? &files_[*lastLoaded_] : nullptr;
}

const PropertyFile* PropertyFiles::FirstLoaded() const {
  for (const PropertyFile& file : files_.each) {
    if (!file.values.empty()) return &file;
  }
  return nullptr;
}

const PropertyFile* PropertyFiles::GridStater() const {
  for (const PropertyFile& file : files_.each) {
    if (!file.values.empty() && file.form.statesSizes) return &file;
  }
  return FirstLoaded();
}

const Unit* PropertyFiles::ChosenUnit(PropertyKind property) const {
  // The box's text decides, typed or chosen.
  return FindUnit(property, window_.GetControlText(kPropertyControls[property].unitsCombo));
}

void PropertyFiles::ShowChosenUnit(PropertyKind property) {
  const int combo = kPropertyControls[property].unitsCombo;
  window_.SetComboSelection(combo, window_.GetComboSelection(combo));
}

FileDialogResult PropertyFiles::ChooseFile() {
  FileDialogRequest request;
  request.initialFileName = folderMemory_.ReadRememberedFolder() + kPathSeparator + "*.txt";
  // A text grid may come gzip-compressed ("vp.txt.gz"); its first bytes tell, not its name.
  request.filterDescription = "Text grids (*.txt, *.gz)";
  request.filterPattern = "*.txt;*.gz";
  return window_.RunOpenFileDialog(request);
}

FileDialogResult PropertyFiles::ChosenByDrop(const std::string& path) {
  FileDialogResult chosen;
  chosen.confirmed = true;
  chosen.fullPath = path;
  chosen.fileName = FileNameOf(chosen.fullPath);
  const std::size_t nameStart = chosen.fullPath.size() - chosen.fileName.size();
  chosen.folder = nameStart == 0 ? std::string() : chosen.fullPath.substr(0, nameStart - 1);
  // As a confirmed Open dialog does, the file's folder becomes the current one.
  folderMemory_.MakeCurrent(chosen.folder);
  return chosen;
}

std::string PropertyFiles::Load(PropertyKind property, const FileDialogResult& chosen,
                                const TextReadingChoices& choices) {
  PropertyFile& file = files_[property];
  const std::string heldName = file.name;
  const std::int32_t heldCount = file.count;
  const float heldMinimum = file.minimum, heldMaximum = file.maximum;
  file.name = chosen.fileName;
  ShowFigures();
  folderMemory_.SaveCurrentFolder();

  LoadedProperty loaded;
  {
    WaitCursor wait(window_);
    // The full path: the current folder is process-wide and may move before the file is read.
    loaded = LoadProperty(chosen.fullPath, chosen.fileName, elementCount_, {}, choices);
  }
  if (loaded.ok() || loaded.countDiffers) {
    file.count = static_cast<std::int32_t>(loaded.summary.count);
    file.minimum = loaded.summary.minimum;
    file.maximum = loaded.summary.maximum;
  }
  const std::string refusal = RefusalOf(property, loaded, choices);
  if (!refusal.empty()) {
    if (file.values.empty()) {
      file.name = "*.txt";
    } else {
      // A file held from before stays shown: it is what OK writes.
      file.name = heldName;
      file.count = heldCount;
      file.minimum = heldMinimum;
      file.maximum = heldMaximum;
    }
    return refusal;
  }
  file.fullPath = chosen.fullPath;
  Accept(file, loaded);
  lastLoaded_ = property;
  return {};
}

std::string PropertyFiles::ShapeFinding(PropertyKind property, ValueOrder order) const {
  const PropertyFile& file = files_[property];
  // A form that states the grid says its shape itself.
  if (file.values.empty() || file.form.statesSizes) return {};
  return FileShapeFinding(file.name, file.lines, elementCount_, order);
}

std::string PropertyFiles::RefusalOf(PropertyKind property, const LoadedProperty& loaded,
                                     const TextReadingChoices& choices) const {
  const std::string& name = files_[property].name;
  if (loaded.ok() || loaded.countDiffers) {
    for (const GridProperty& other : kGridProperties) {
      const PropertyFile& held = files_[other.kind];
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

void PropertyFiles::Accept(PropertyFile& file, LoadedProperty& loaded) {
  file.count = static_cast<std::int32_t>(loaded.summary.count);
  file.minimum = loaded.summary.minimum;
  file.maximum = loaded.summary.maximum;
  file.endMarkLine = loaded.endMarkLine;
  file.range = RangeOfValues(loaded.summary);
  file.values = std::move(loaded.values);
  file.lines = std::move(loaded.lines);
  file.form = std::move(loaded.form);
  file.arrangedNx = 0;
  elementCount_ = loaded.summary.count;
}

Status PropertyFiles::ReadAgain(const TextReadingChoices& choices) {
  PerProperty<LoadedProperty> again;
  std::uint32_t count = 0;
  {
    WaitCursor wait(window_);
    for (const GridProperty& property : kGridProperties) {
      const PropertyFile& file = files_[property.kind];
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
    if (Loaded(property.kind)) Accept(files_[property.kind], again[property.kind]);
  }
  return Status();
}

Status PropertyFiles::Arrange(std::int32_t nx, const TextReadingChoices& choices) {
  for (PropertyFile& file : files_.each) {
    if (file.values.empty() || file.arrangedNx == nx) continue;
    const std::uint64_t count = file.values.size();
    if (file.arrangedNx > 0) {
      if (!RestoreFileOrder(file.values.data(), count, static_cast<std::uint64_t>(file.arrangedNx),
                            choices.order, choices.flipZ)) {
        return Status::Error(file.name +
                             ": not enough memory to put its values in the order of the file");
      }
      file.arrangedNx = 0;
    }
    // No grid of that X size: the values stay as the file holds them, not drawn, and OK refuses
    // the sizes.
    if (nx <= 0 || count % static_cast<std::uint64_t>(nx) != 0) continue;
    const Status arranged = ArrangeValues(file.values.data(), static_cast<std::uint32_t>(count),
                                          file.form, file.name, nx, choices);
    if (!arranged.ok()) return arranged;
    file.arrangedNx = nx;
  }
  return Status();
}

Status PropertyFiles::FillInputs(const PerProperty<bool>& used,
                                 PerProperty<PropertyInput>& inputs) const {
  for (const GridProperty& property : kGridProperties) {
    const PropertyFile& file = files_[property.kind];
    if (!used[property.kind]) continue;
    const Unit* unit = ChosenUnit(property.kind);
    if (unit == nullptr) {
      return Status::Error(UnknownUnitMessage(
          property.kind, window_.GetControlText(kPropertyControls[property.kind].unitsCombo)));
    }
    inputs[property.kind] = {file.values.data(),
                             unit,
                             file.fullPath,
                             file.name,
                             LinesHoldRows(file.form) ? &file.lines : nullptr,
                             file.endMarkLine,
                             file.range,
                             file.form.holes > 0 ? file.form.holeMarker : "",
                             &file.form};
  }
  return Status();
}
