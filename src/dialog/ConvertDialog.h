#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "grid/GridProperties.h"
#include "grid/Status.h"
#include "grid/ValueRange.h"
#include "system/FloatArray.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"
#include "ui/DialogWindow.h"

class DataExchange;
class DialogWindow;
class FolderMemory;
class ModelPictureView;
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

// The conversion dialog's logic: its state and what its notifications do. The window owns one,
// hands it itself as the DialogWindow, and forwards its notifications here.
class ConvertDialog {
 public:
  // folderMemory: where the file dialogs start and what they leave behind; picture: where the
  // model is shown.
  ConvertDialog(DialogWindow& window, FolderMemory& folderMemory, ModelPictureView& picture);

  // From the window's initialisation: fills the unit lists (metric selected) and shows the members.
  void InitControls();

  void DoDataExchange(DataExchange& exchange);
  // Copies the controls' texts into the members. False when a field's text failed validation
  // (the user has been told; failedControl, when given, names the field).
  bool TakeControlTexts(int* failedControl = nullptr);
  // Shows the members in the controls.
  void ShowMembers();

  // The browse button of a property: its file is chosen in the Open dialog and loaded.
  void OnBrowse(PropertyKind property);
  void OnXSizeSelChange();
  // Text typed into the X-size box that is one of its sizes counts as choosing that size.
  void OnXSizeEditChange();
  // The window to write, checked as each of its fields is left.
  void OnKillFocusNxWrite();
  void OnKillFocusNzWrite();
  void OnKillFocusXFrom();
  void OnKillFocusZFrom();
  // Density or Vs from its file or from a rule: a rule leaves the file's controls aside (a file
  // loaded stays loaded, for a return to it) and needs the ratio or the water's fields.
  void OnSourceSelChange();
  void OnBrowseOutput();
  // Files dropped on the dialog: one file dropped on a property's group box (droppedOn) loads as
  // that property, as if chosen in its Open dialog; anything else is refused with a message.
  void OnDropFiles(const std::vector<std::string>& paths, const PropertyKind* droppedOn);
  // Shows the model as it will be written: the chosen property (Vp, else the first loaded, of
  // those read from their files) at the chosen X size, the part to be written (the window as
  // typed when it lies within the grid), the values in m/s or kg/m3 as the unit in its box makes
  // them (as they are, in "file's units", when the box names no unit), axes in m from the steps
  // when both are numbers above 0. Called whenever any of these may have changed.
  void RedrawPicture();
  // The property chosen in the picture's list, or a unit chosen from a property's list.
  void OnPictureSelChange();
  void OnUnitsSelChange(PropertyKind property);
  // A check box of how the text grids are read (column by column, rows bottom up, decimal
  // comma): the loaded files are read again with the choices and the X size proposed again. A
  // file the choices refuse leaves every file as it was and the check box as it was, with a
  // message.
  void OnReadingChoice();
  // Takes in the controls, checks, asks once, listing the findings, what is done to the model
  // and its stability report, and writes the grid file. Returns true when the file is written
  // and the dialog should end; false leaves it open (the reason was shown, the focus on the
  // field refused).
  bool OnOK();

  // Conversion state, shown in and taken from the controls by DoDataExchange.
  PerProperty<PropertyFile> files;
  std::uint32_t elementCount = 0;  // fixed by the first accepted file
  std::int32_t nxInput = 0;
  std::int32_t nzInput = 0;
  std::int32_t inputCount = 0;
  std::int32_t nxWrite = 0;
  std::int32_t nzWrite = 0;
  std::int32_t xFrom = 0;  // the window's first node, numbered from 0
  std::int32_t zFrom = 0;
  std::int32_t writeCount = 0;
  float xStep = 1.0f;
  float zStep = 1.0f;
  std::string outputPath = "*.mvg";  // the name alone, as shown; holds '*' until one is chosen
  // Where the export writes: the folder chosen in the save dialog with outputPath.
  std::string outputFullPath;

 private:
  bool AnyLoaded() const;
  // A property loaded and read from its file, not from a rule.
  bool FileUsed(PropertyKind property) const;
  void EnableSourceControls();
  // The rows the grid holds: the Z size typed, at most the rows of the values loaded.
  std::int64_t RowsHeld() const;
  void EnablePropertyControls(PropertyKind property);
  void RefuseFile(PropertyKind property, const std::string& message);
  void LoadChosenFile(PropertyKind property, const FileDialogResult& chosen);
  // Why a file just read cannot join the loaded ones ("" when it can): its count, a grid its
  // form states that another's contradicts, an order the choices ask that its form has not.
  std::string RefusalOf(PropertyKind property, const LoadedProperty& loaded,
                        const TextReadingChoices& choices) const;
  // Takes a file read in, its values in the file's order.
  void Accept(PropertyFile& file, LoadedProperty& loaded);
  // The loaded files read again with other choices; the refusal of the first one they refuse,
  // every file left as it was.
  Status ReadAgain(const TextReadingChoices& choices);
  // The X sizes on offer for elementCount values; unless the user's choice is kept, the proposal
  // follows the file's form, when it states the X size, else its lines.
  void DeriveGridSizes(bool keepChosenSize, const TextGridLines& lines, const TextGridForm& form);
  // The steps a form states fill the step fields, unless the user changed them.
  void FillStatedSteps(const TextGridForm& form);
  // Puts the loaded files' values in the grid's order for nxInput; the refusal of one that
  // cannot be (it is then in the file's order or arranged for another X size, never written).
  Status ArrangeLoaded();
  // What the reading of the file loaded last found: its form and the lines passed over.
  void ShowReading();
  void ChooseXSize(std::int32_t x);
  // A field of the window (a size to write, a first node) checked as it is left: a refused value
  // goes back to what it was.
  void CheckWindowOnLeaving(std::int32_t& value, const std::function<Status()>& check);
  // Moves the focus to a refused field; leaving the field that had it checks nothing then.
  void PointAt(int controlId);
  // The request of OK, with each loaded property's unit from the text of its box; false when
  // a box's text is none of its units or the X-size box's none of its sizes (the user was told).
  // The request points into the members.
  bool BuildRequest(ConversionRequest& request);
  // The property the picture shows: the one chosen in its list while it is loaded, else Vp when
  // loaded, else the first loaded; null when none is.
  const GridProperty* PicturedProperty() const;
  // The picture's list: the loaded properties, the pictured one selected.
  void ShowPictureChoices();

  DialogWindow& window_;
  FolderMemory& folderMemory_;
  ModelPictureView& picture_;
  const GridProperty* pictureChoice_ = nullptr;  // chosen in the picture's list
  std::vector<std::int32_t> xSizes_;             // the X-size box's list
  bool pointing_ = false;                        // within PointAt
  TextReadingChoices reading_;                   // as the check boxes say
  std::optional<PropertyKind> lastLoaded_;
  float filledXStep_ = 1.0f, filledZStep_ = 1.0f;  // what the step fields show unless typed
};
