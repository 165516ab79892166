#pragma once
// The conversion dialog's logic on an in-memory window, worked as a person works the real one:
// files chosen in scripted file dialogs, texts typed, lists chosen from, notifications sent.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Mvgtool.h"
#include "dialog/ConvertDialog.h"
#include "dialog/ConvertDialogControls.h"
#include "folders/FolderMemory.h"
#include "gridfile/GridFileHeader.h"
#include "support/FakeDialogWindow.h"
#include "support/FakeFolders.h"
#include "support/RecordedPictures.h"
#include "support/ScratchFolder.h"

namespace dialog_test {

namespace fs = std::filesystem;
using Ints = std::vector<std::int32_t>;
using Strings = std::vector<std::string>;
using namespace std::string_literals;

inline const std::vector<int> kVpControls = {kVpCountField, kVpMinField, kVpMaxField,
                                             kVpUnitsCombo};
inline const std::vector<int> kDensityControls = {kDensityCountField, kDensityMinField,
                                                  kDensityMaxField, kDensityUnitsCombo};
inline const std::vector<int> kVsControls = {kVsCountField, kVsMinField, kVsMaxField,
                                             kVsUnitsCombo};

// What a browse of the properties enables: the grid's controls and the properties' own.
inline std::set<int> DisabledAfterBrowsing(
    std::initializer_list<const std::vector<int>*> properties) {
  std::set<int> disabled = FakeDialogWindow::kDisabledByTemplate;
  for (int id : {kXSizeCombo, kNzInputField, kInputCountField, kNxWriteField, kNzWriteField,
                 kWriteCountField, kXFromField, kZFromField, kPictureCombo}) {
    disabled.erase(id);
  }
  for (const std::vector<int>* controls : properties) {
    for (int id : *controls) disabled.erase(id);
  }
  return disabled;
}

// Values first, first + 1, ... ten (or perLine) to a line.
inline std::string Sequence(int count, int first = 1, int perLine = 10) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += std::to_string(first + i);
    text += (i % perLine == perLine - 1) ? '\n' : ' ';
  }
  return text;
}

inline std::string ReadBytes(const fs::path& path) { return ReadFileBytes(path.string()); }

// A text's lines that are not blank.
inline Strings LinesOf(const std::string& text) {
  Strings lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// What mvgtool convert prints after its "Wrote" line: what it did to the model and the stability
// report.
inline Strings SummaryLines(const std::string& printed) {
  Strings lines = LinesOf(printed);
  if (!lines.empty()) lines.erase(lines.begin());
  return lines;
}

inline std::string HeaderBytes(const GridFileHeader& header) {
  auto bytes = header.ToBytes();
  return std::string(bytes.begin(), bytes.end());
}

// What mvgtool convert writes for `args`, forced past the findings.
inline std::string MvgtoolWrites(std::vector<std::string> args, const fs::path& output) {
  args.insert(args.begin(), "convert");
  args.insert(args.end(), {"--force", "-o", output.string()});
  std::ostringstream out, err;
  EXPECT_EQ(RunMvgtool(args, out, err), kExitSuccess) << err.str();
  return ReadBytes(output);
}

// The Marmousi-II model of the samples.
inline fs::path Marmousi(const char* name) {
  const char* source = std::getenv("MVG_SOURCE_DIR");
  return fs::absolute(fs::path(source != nullptr ? source : ".") / "samples/marmousi2" / name);
}

class ConvertDialogTest : public testing::Test {
 protected:
  ConvertDialogTest() { dialog.InitControls(); }

  fs::path Folder(const std::string& name) {
    fs::create_directories(root_ / name);
    return root_ / name;
  }

  fs::path WriteText(const std::string& folder, const std::string& name, const std::string& text) {
    fs::path path = Folder(folder) / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  void Browse(PropertyKind property, const fs::path& path) {
    window.AnswerFileDialog(path.string());
    dialog.OnBrowse(property);
  }

  const PropertyFile& File(PropertyKind property) const { return dialog.Files()[property]; }

  void ChooseOutput(const fs::path& path) {
    window.AnswerFileDialog(path.string());
    dialog.OnBrowseOutput();
  }

  // An entry of the X-size list chosen by its text.
  void ChooseXSize(const std::string& size) {
    const Strings sizes = window.ComboItems(kXSizeCombo);
    window.SetComboSelection(
        kXSizeCombo, static_cast<int>(std::find(sizes.begin(), sizes.end(), size) - sizes.begin()));
    dialog.OnXSizeSelChange();
  }

  std::string Text(int controlId) const { return window.GetControlText(controlId); }

  Strings Texts(std::initializer_list<int> controlIds) const {
    Strings texts;
    for (int id : controlIds) texts.push_back(Text(id));
    return texts;
  }

  // nxInput, nzInput, nxWrite, nzWrite, inputCount, writeCount.
  Ints Sizes() const {
    const GridChoice& grid = dialog.Grid();
    return {grid.nxInput, grid.nzInput,    grid.nxWrite,
            grid.nzWrite, grid.inputCount, grid.writeCount};
  }

  // Loads 100 values 1001..1100 m/s as Vp from folder "in": a 10 x 10 grid.
  void LoadHundredVp() {
    Browse(PropertyKind::kVp, WriteText("in", "vp.txt", Sequence(100, 1001)));
  }

  const ScratchFolder scratch_;
  const fs::path root_ = scratch_.Folder();
  FakeFolders folders{root_.string()};  // the start folder
  FolderMemory memory{folders, (root_ / "RUX").string()};
  FakeDialogWindow window{folders};
  RecordedPictures pictures;
  ConvertDialog dialog{window, memory, pictures};
};

}  // namespace dialog_test
