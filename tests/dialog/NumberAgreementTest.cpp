// A number means the same wherever a user gives it: as a text grid's value, typed into one of the
// dialog's fields, or as an option of mvgtool.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/Mvgtool.h"
#include "dialog/ConvertDialog.h"
#include "dialog/ConvertDialogControls.h"
#include "folders/FolderMemory.h"
#include "gridfile/GridFileReader.h"
#include "support/FakeDialogWindow.h"
#include "support/FakeFolders.h"
#include "support/RecordedPictures.h"
#include "support/ScratchFolder.h"
#include "textgrid/TextGridReader.h"

namespace {

struct Reading {
  bool accepted = false;
  float value = 0.0f;
};

Reading AsGridValue(const std::string& text) {
  const TextGridRead read = ReadTextGridText(text, "grid.txt");
  // A NaN is no number: a hole.
  if (!read.ok() || read.summary.count != 1 || read.form.holes > 0) return {false, 0.0f};
  return {true, read.values[0]};
}

Reading AsDialogStep(const std::string& text, const ScratchFolder& scratch) {
  FakeFolders folders(scratch.Folder());
  FolderMemory memory(folders, scratch.Path("RUX"));
  FakeDialogWindow window(folders);
  RecordedPictures pictures;
  ConvertDialog dialog(window, memory, pictures);
  dialog.InitControls();
  window.Type(kXStepField, text);
  const bool accepted = dialog.TakeControlTexts();
  return {accepted, dialog.Grid().xStep};
}

// The X step that mvgtool writes for --dx, whatever it finds; a number refused by a later check (a
// step not above 0) still counts as read.
Reading AsMvgtoolStep(const std::string& text, const ScratchFolder& scratch) {
  std::ostringstream out, err;
  const int status = RunMvgtool({"convert", "--vp", scratch.Path("grid.txt"), "--nx", "2", "--dx",
                                 text, "--dz", "1", "--force", "-o", scratch.Path("out.mvg")},
                                out, err);
  if (status == kExitUsage) return {false, 0.0f};
  if (status != kExitSuccess) return {err.str().find("step must be") != std::string::npos, 0.0f};
  return {true, ReadGridFile(scratch.Path("out.mvg")).header.dx};
}

TEST(NumberAgreement, GridValuesDialogFieldsAndOptionsReadTheSameNumbers) {
  ScratchFolder scratch;
  scratch.Write("grid.txt", "1 2 3 4");
  // Largest and smallest floats, ties, signs, exponents, blanks; and what is no number at all.
  std::stringstream edges(
      "3.4028235e38|3.40282357e38|3.4028236e38|-3.4028235e38|1e39|1.4e-45|7e-46|1e-50|"
      "1.00000005960464477539063|16777217|+5|-0|.5|7.|2.5E+3|2.5D+3|2.5d3| 7 |\t7|1e|e5|--1|1.2.3|"
      "0x10|inf|"
      "nan|12a|1e+");
  for (std::string text; std::getline(edges, text, '|');) {
    SCOPED_TRACE("\"" + text + "\"");
    const Reading grid = AsGridValue(text), dialog = AsDialogStep(text, scratch),
                  option = AsMvgtoolStep(text, scratch);
    EXPECT_EQ(dialog.accepted, grid.accepted);
    EXPECT_EQ(option.accepted, grid.accepted);
    if (!grid.accepted) continue;
    EXPECT_EQ(FloatBits(dialog.value), FloatBits(grid.value));
    if (grid.value > 0.0f) {
      EXPECT_EQ(FloatBits(option.value), FloatBits(grid.value));
    }
  }
}

}  // namespace
