#include "dialog/OutputFile.h"

#include "conversion/ConversionRequest.h"
#include "dialog/ConvertDialogControls.h"
#include "folders/FolderMemory.h"
#include "ui/DataExchange.h"
#include "ui/DialogWindow.h"

void OutputFile::Exchange(DataExchange& exchange) { exchange.Text(kOutputNameText, name_); }

bool OutputFile::Choose() {
  FileDialogRequest request;
  request.initialFileName = folderMemory_.ReadRememberedFolder() + kPathSeparator + "*.mvg";
  request.filterDescription = "Morvelan MVG files";
  request.filterPattern = "*.mvg";
  const FileDialogResult chosen = window_.RunSaveFileDialog(request);
  if (chosen.confirmed) {
    name_ = chosen.fileName;
    fullPath_ = chosen.fullPath;
    if (name_.find('.') == std::string::npos) {
      name_ += ".mvg";
      fullPath_ += ".mvg";
    }
  }
  folderMemory_.SaveCurrentFolder();
  return chosen.confirmed;
}

void OutputFile::FillRequest(ConversionRequest& request) const {
  request.outputName = name_;
  request.outputPath = fullPath_;
}
