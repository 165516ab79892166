#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "conversion/Units.h"
#include "grid/FloatArray.h"
#include "grid/TextGridLines.h"
#include "ui/DialogWindow.h"

class DataExchange;
class DialogWindow;
class FolderMemory;

// The conversion dialog's logic: its state and what its notifications do. The window owns one,
// hands it itself as the DialogWindow, and forwards its notifications here.
class ConvertDialog {
 public:
  // folderMemory: where the file dialogs start and what they leave behind.
  ConvertDialog(DialogWindow& window, FolderMemory& folderMemory);

  // From the window's initialisation: fills the unit lists (metric selected) and shows the members.
  void InitControls();

  void DoDataExchange(DataExchange& exchange);
  // takeIn: copy the controls' texts into the members; otherwise show the members. Returns false
  // when a field's text failed validation while taking in (the user has been told).
  bool UpdateData(bool takeIn);

  void OnBrowseVp();
  void OnBrowseDensity();
  void OnBrowseVs();
  void OnXSizeSelChange();
  // Text typed into the X-size box that is one of its sizes counts as choosing that size.
  void OnXSizeEditChange();
  void OnKillFocusNxWrite();
  void OnKillFocusNzWrite();
  void OnBrowseOutput();
  // Files dropped on the dialog: one file dropped on a property's group box (droppedOn) loads as
  // that property, as if chosen in its Open dialog; anything else is refused with a message.
  void OnDropFiles(const std::vector<std::string>& paths, const PropertyKind* droppedOn);
  // Takes in the controls, checks and writes the grid file. Returns true when the file is
  // written and the dialog should end; false leaves it open (the reason was shown).
  bool OnOK();

  void LoadPropertyFile(PropertyKind property);
  // The X sizes on offer for elementCount values; unless the user's choice is kept, the proposal
  // follows the lines of the file just loaded.
  void DeriveGridSizes(bool keepChosenSize, const TextGridLines& lines);

  // Conversion state, shown in and taken from the controls by DoDataExchange.
  FloatArray vpValues;
  FloatArray vsValues;
  FloatArray densityValues;
  std::int32_t nxInput = 0;
  bool vpLoaded = false;
  bool densityLoaded = false;
  bool vsLoaded = false;
  std::uint32_t elementCount = 0;  // fixed by the first accepted file
  float densityMax = 0.0f;
  float densityMin = 0.0f;
  std::int32_t densityCount = 0;
  float vpMax = 0.0f;
  float vsMax = 0.0f;
  float vpMin = 0.0f;
  float vsMin = 0.0f;
  std::int32_t vpCount = 0;
  std::int32_t vsCount = 0;
  std::int32_t inputCount = 0;
  float xStep = 1.0f;
  float zStep = 1.0f;
  std::string vpPath = "*.txt";  // names without folder, as shown
  std::string vsPath = "*.txt";
  std::string densityPath = "*.txt";
  std::string outputPath = "*.mvg";  // holds '*' until an output file is chosen
  std::int32_t nzInput = 0;
  std::int32_t nxWrite = 0;
  std::int32_t nzWrite = 0;
  std::int32_t writeCount = 0;
  // Where the export writes: the folder chosen in the save dialog with outputPath.
  std::string outputFullPath;
  // Where each property was read from, for the check that the output replaces none of them.
  std::string vpFullPath, densityFullPath, vsFullPath;
  // How the lines of each property's file go, for the check that the rows fit them.
  TextGridLines vpLines, densityLines, vsLines;

 private:
  bool AnyLoaded() const { return vpLoaded || densityLoaded || vsLoaded; }
  void EnablePropertyControls(PropertyKind property);
  void RefuseFile(PropertyKind property, const std::string& message);
  void LoadChosenFile(PropertyKind property, const FileDialogResult& chosen);
  void ChooseXSize(std::int32_t x);
  // The request of OK, with each loaded property's unit from the text of its box; false when
  // a box's text is none of its units or the X-size box's none of its sizes (the user was told).
  // The request points into the members.
  bool BuildRequest(ConversionRequest& request);

  DialogWindow& window_;
  FolderMemory& folderMemory_;
  std::vector<std::int32_t> xSizes_;  // the X-size box's list
};
