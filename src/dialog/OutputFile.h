#pragma once
// The grid file to write, chosen in the Save dialog: its name as shown, with ".mvg" added when it
// has no extension, and the folder it goes to.

#include <string>

class DataExchange;
class DialogWindow;
class FolderMemory;
struct ConversionRequest;

class OutputFile {
 public:
  // folderMemory: where the Save dialog starts and what it leaves behind.
  OutputFile(DialogWindow& window, FolderMemory& folderMemory)
      : window_(window), folderMemory_(folderMemory) {}

  // The name shown (read-only).
  void Exchange(DataExchange& exchange);
  // The Save dialog; true when a file was chosen. Even a cancelled dialog leaves its folder
  // remembered.
  bool Choose();
  // The name holds '*' until a file is chosen.
  const std::string& Name() const { return name_; }
  const std::string& FullPath() const { return fullPath_; }
  void FillRequest(ConversionRequest& request) const;

 private:
  DialogWindow& window_;
  FolderMemory& folderMemory_;
  std::string name_ = "*.mvg";  // the name alone, as shown
  std::string fullPath_;        // where the export writes
};
