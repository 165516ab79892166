#pragma once

#include <cstdint>
#include <memory>
#include <string>

class DataExchange;
class DialogWindow;

enum class Property { kVp, kDensity, kVs };

// The conversion dialog's logic: its state and what its notifications do. The window owns one,
// hands it itself as the DialogWindow, and forwards its notifications here.
class ConvertDialog {
 public:
  // workDir: the resource folder that holds the folder memory (InitFolderMemory's result).
  ConvertDialog(DialogWindow& window, std::string workDir);

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
  void OnXSizeEditChange();  // text typed into the X-size box is not used
  void OnKillFocusNxWrite();
  void OnKillFocusNzWrite();
  void OnBrowseOutput();
  // Takes in the controls, checks and writes the grid file. Returns true when the file is
  // written and the dialog should end; false leaves it open (the reason was shown).
  bool OnOK();

  void LoadPropertyFile(Property property);
  void DeriveGridSizes();

  // Conversion state, shown in and taken from the controls by DoDataExchange.
  std::string workDir;
  std::unique_ptr<float[]> vpValues;
  std::unique_ptr<float[]> vsValues;
  std::unique_ptr<float[]> densityValues;
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

 private:
  void EnablePropertyControls(Property property);
  void RefuseFile(Property property, const std::string& message);

  DialogWindow& window_;
};
