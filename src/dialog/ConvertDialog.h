#pragma once
// The conversion dialog's logic, as its window sees it: what each notification does. Each job
// lives in a part of its own, and this class joins them, passing each what it needs:
//   PropertyFiles      the text grids loaded and refused, each property's figures and unit
//   ReadingChoices     how the grids are read (the check boxes) and what the reading found
//   GridFields         the X size, the Z size, the steps and the window to write
//   ModelPicture       the picture of the model and the list that chooses its property
//   WrittenSizes       the sizes of the grid file written
//   PreparationFields  where density and Vs come from, holes, new steps, a border
//   OutputFile         the grid file to write
//   WriteQuestion      OK's one question and the writing it guards
//   RefusalFocus       the field a refusal points at

#include <string>
#include <vector>

#include "dialog/GridFields.h"
#include "dialog/ModelPicture.h"
#include "dialog/OutputFile.h"
#include "dialog/PropertyFiles.h"
#include "dialog/ReadingChoices.h"
#include "dialog/RefusalFocus.h"
#include "grid/GridProperties.h"
#include "grid/Status.h"

class DataExchange;
class DialogWindow;
class FolderMemory;
class ModelPictureView;
struct ConversionRequest;

// The window owns one, hands it itself as the DialogWindow, and forwards its notifications here.
class ConvertDialog {
 public:
  // folderMemory: where the file dialogs start and what they leave behind; picture: where the
  // model is shown.
  ConvertDialog(DialogWindow& window, FolderMemory& folderMemory, ModelPictureView& picture);

  // From the window's initialisation: fills the unit lists (metric selected), the preparation's
  // lists and fields, and shows the members.
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
  // Density or Vs from its file or from a rule.
  void OnSourceSelChange();
  // A way to fill holes chosen from the list.
  void OnHolesSelChange();
  void OnBrowseOutput();
  // Files dropped on the dialog: one file dropped on a property's group box (droppedOn) loads as
  // that property, as if chosen in its Open dialog; anything else is refused with a message.
  void OnDropFiles(const std::vector<std::string>& paths, const PropertyKind* droppedOn);
  // Shows the model as OK would write it, from the fields as they are typed (see ModelPicture),
  // and the sizes of the grid file (WrittenSizes). Called whenever what they show may have
  // changed; the notifications of the texts the dialog shows itself redraw nothing, its caller
  // redraws once.
  void RedrawPicture();
  // The property chosen in the picture's list, or a unit chosen from a property's list.
  void OnPictureSelChange();
  void OnUnitsSelChange(PropertyKind property);
  // A check box of how the text grids are read: the loaded files are read again with the
  // choices, and the X size and the steps proposed again from the file that states the grid (the
  // first whose form states its sizes, else the first loaded). A file the choices refuse leaves
  // every file as it was and the check box as it was, with a message.
  void OnReadingChoice();
  // Takes in the controls, checks, asks once (WriteQuestion) and writes the grid file. Returns
  // true when the file is written and the dialog should end; false leaves it open (the reason
  // was shown, the focus on the field refused).
  bool OnOK();

  // The parts' state, for tests.
  const PropertyFiles& Files() const { return files_; }
  const GridChoice& Grid() const { return grid_.Choice(); }
  const OutputFile& Output() const { return output_; }

 private:
  // The properties loaded and read from their files, not from a rule.
  PerProperty<bool> FilesUsed() const;
  // Those and the properties a rule makes from a loaded Vp.
  PerProperty<bool> PropertiesMade() const;
  // A rule chosen or a file chosen for a property: the controls of each enabled as it needs.
  void EnableSourceControls();
  void LoadChosenFile(PropertyKind property, const FileDialogResult& chosen);
  void EnableBrowsedControls(PropertyKind property);
  // The X sizes offered again (see GridFields::OfferXSizes), the values put in the grid's order.
  void OfferXSizes(bool keepChosen, const TextGridLines& lines, const TextGridForm& form);
  // An X size chosen: the sizes shown, the values in the grid's order, the picture.
  void ShowChosenXSize();
  // The values put in the grid's order for the X size chosen; the user is told when they cannot
  // be.
  void ArrangeLoaded();
  // With nothing loaded there is no grid to check against; a message of ours that took the
  // focus has just told the user what there was to tell; and a field the focus is taken from to
  // point at another is not being left by the user.
  void OnLeavingWindowField(int field);
  // The request from what the parts hold, the values put in the grid's order; the refusal of a
  // part, with the field it is about in refusedField (0: none). The request points into the parts.
  // `asTyped`: the grid's fields as they are typed, before they are taken in.
  Status BuildRequest(ConversionRequest& request, int& refusedField, bool asTyped = false);

  DialogWindow& window_;
  PropertyFiles files_;
  ReadingChoices reading_;
  GridFields grid_;
  ModelPicture picture_;
  OutputFile output_;
  RefusalFocus focus_;
  bool showingMembers_ = false;
};
