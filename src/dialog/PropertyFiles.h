#pragma once
// The text grids the dialog holds, one a property: the Open dialog that chooses one, loading it,
// refusing one that cannot join the others (its count, a grid its form states that another's
// contradicts, an order the reading choices ask that its form has not), reading them all again
// with other choices, and putting their values in the grid's order for an X size. Each property's
// group of controls shows its file: its name, count, least and greatest value, and its unit.

#include <cstdint>
#include <optional>
#include <string>

#include "conversion/ConversionRequest.h"
#include "conversion/Units.h"
#include "grid/GridProperties.h"
#include "grid/Status.h"
#include "grid/ValueRange.h"
#include "system/FloatArray.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"
#include "ui/DialogWindow.h"

class DataExchange;
class FolderMemory;
struct LoadedProperty;

// One property's text grid as the dialog holds it.
struct PropertyFile {
  FloatArray values;  // empty until a file of the property is loaded
  // The figures shown: of the file loaded, or of a file refused for its count.
  std::int32_t count = 0;
  float minimum = 0.0f, maximum = 0.0f;
  std::string name = "*.txt";  // as shown, without its folder
  // Where it was read from, for the check that the output replaces no input.
  std::string fullPath;
  // How its lines go, for the check that the rows fit them.
  TextGridLines lines;
  // What its form stated and what its reading passed over.
  TextGridForm form;
  // The X size its values are in the grid's order for; 0: in the file's order.
  std::int32_t arrangedNx = 0;
  // The line of a Ctrl-Z that cut its text short; 0: none.
  std::uint64_t endMarkLine = 0;
  // Its least and greatest value as the reading found them.
  std::optional<ValueRange> range;
};

class PropertyFiles {
 public:
  // folderMemory: where the Open dialog starts and what it leaves behind.
  PropertyFiles(DialogWindow& window, FolderMemory& folderMemory);

  // Fills the unit lists, the metric unit of each selected.
  void InitUnitLists();
  // The names and figures (read-only fields).
  void Exchange(DataExchange& exchange);
  // Enables a property's figures and unit, once it has been browsed for.
  void EnableControls(PropertyKind property);
  // A property derived by a rule has its file's controls set aside (a file loaded stays loaded,
  // for a return to it); one read from its file has them, its figures and unit once loaded.
  void EnableFileControls(PropertyKind property, bool fromFile);

  const PropertyFile& operator[](PropertyKind property) const { return files_[property]; }
  bool Loaded(PropertyKind property) const { return !files_[property].values.empty(); }
  bool AnyLoaded() const;
  // The values each loaded file holds, fixed by the first file accepted.
  std::uint32_t ElementCount() const { return elementCount_; }
  // The file loaded last, while it stays loaded; null otherwise.
  const PropertyFile* LastLoaded() const;
  // The loaded file whose form says the grid: the first that states its sizes, else the first
  // loaded; null when none is loaded.
  const PropertyFile* GridStater() const;
  // The first loaded file; null when none is.
  const PropertyFile* FirstLoaded() const;

  // The unit a property's box names, typed or chosen; null when it names none of its units.
  const Unit* ChosenUnit(PropertyKind property) const;
  // The box shows the entry chosen only after its notification: shows it at once.
  void ShowChosenUnit(PropertyKind property);

  // The Open dialog of a text grid, started in the folder remembered.
  FileDialogResult ChooseFile();
  // A file dropped as if chosen in the Open dialog: its folder becomes the current one.
  FileDialogResult ChosenByDrop(const std::string& path);

  // Reads the file chosen for a property with the reading choices (its name shows meanwhile) and
  // takes it in. Returns why it cannot join the loaded files ("" when it joined); the property
  // then stays as it was, but for a file refused for its count, whose figures stay on show, so
  // the user sees why, unless the property holds a file from before.
  std::string Load(PropertyKind property, const FileDialogResult& chosen,
                   const TextReadingChoices& choices);
  // What the lines of a file just loaded say of its shape, to be told at once (a value missing or
  // one too many, where the lines break their pattern); "" when there is nothing to tell.
  std::string ShapeFinding(PropertyKind property, ValueOrder order) const;
  // The loaded files read again with other choices; the refusal of the first one they refuse,
  // every file then left as it was.
  Status ReadAgain(const TextReadingChoices& choices);
  // Puts the loaded files' values in the grid's order for the X size nx; the refusal of one that
  // cannot be (it is then in the file's order or arranged for another X size, never written).
  // `choices` must be the ones the files were read with.
  Status Arrange(std::int32_t nx, const TextReadingChoices& choices);
  // The request's inputs: each property in `used` with the unit its box names. The refusal of a
  // box that names none of its units.
  Status FillInputs(const PerProperty<bool>& used, PerProperty<PropertyInput>& inputs) const;

 private:
  std::string RefusalOf(PropertyKind property, const LoadedProperty& loaded,
                        const TextReadingChoices& choices) const;
  // Takes a file read in, its values in the file's order.
  void Accept(PropertyFile& file, LoadedProperty& loaded);
  void ShowFigures();

  DialogWindow& window_;
  FolderMemory& folderMemory_;
  PerProperty<PropertyFile> files_;
  std::uint32_t elementCount_ = 0;
  std::optional<PropertyKind> lastLoaded_;
};
