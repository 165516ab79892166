// The check boxes that read the files again.
#include "dialog/ConvertDialogFixture.h"

namespace dialog_test {
namespace {

class ReadingChoicesTest : public ConvertDialogTest {};

// A file stored column by column, its rows from the bottom up: each choice reads the files again,
// proposes the X size again (the lines then give a column's length) and shows the model as it is
// written. Commas that may be decimal commas are refused naming the choice that reads them; a
// choice that a loaded file refuses is undone, every file as it was.
TEST_F(ReadingChoicesTest, ReadingChoicesReadTheFilesAgainAndWriteWhatMvgtoolWrites) {
  // A line a column, from the bottom up, faster with depth: the top row is 1000 1001 1002 1003.
  std::string vpColumns, rhoColumns;
  for (int x = 0; x < 4; ++x) {
    vpColumns += std::to_string(1200 + x) + " " + std::to_string(1100 + x) + " " +
                 std::to_string(1000 + x) + "\n";
    rhoColumns += "2,20" + std::to_string(x) + " 2,10" + std::to_string(x) + " 2,00" +
                  std::to_string(x) + "\n";
  }
  const fs::path vp = WriteText("in", "vp.txt", vpColumns);
  Browse(PropertyKind::kVp, vp);
  EXPECT_EQ(Texts({kXSizeCombo, kReadingText}), (Strings{"3", "vp.txt: plain text grid"}));
  window.Click(kColumnsCheck);
  dialog.OnReadingChoice();
  EXPECT_EQ(Texts({kXSizeCombo, kNzInputField}), (Strings{"4", "3"}));
  window.Click(kFlipZCheck);
  dialog.OnReadingChoice();
  EXPECT_EQ(Text(kXSizeCombo), "4");
  const float* top = pictures.shown.back().values;
  EXPECT_EQ(std::vector<float>(top, top + 4), (std::vector<float>{1000, 1001, 1002, 1003}));

  const fs::path rho = WriteText("in", "rho.txt", rhoColumns);
  Browse(PropertyKind::kDensity, rho);
  EXPECT_EQ(window.messages,
            Strings{"rho.txt, line 1, value 1: \"2,200\" may be 2.200 with a decimal comma or "
                    "2200 with a thousands separator; \"Decimal comma\" reads every comma as a "
                    "decimal mark.\nThe file was not loaded."});
  window.Click(kDecimalCommaCheck);
  dialog.OnReadingChoice();
  Browse(PropertyKind::kDensity, rho);
  EXPECT_EQ(File(PropertyKind::kDensity).range->minimum, 2.0f);
  window.Click(kDecimalCommaCheck);
  dialog.OnReadingChoice();
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[1].substr(window.messages[1].size() - 42),
            ".\nThe files stay as they were read before.");
  EXPECT_TRUE(window.IsChecked(kDecimalCommaCheck));
  EXPECT_EQ(File(PropertyKind::kDensity).range->minimum, 2.0f);

  std::string triplets = "x z vs\n";
  for (int node = 0; node < 12; ++node) {
    triplets += std::to_string(node % 4) + " " + std::to_string(node / 4) + " 500\n";
  }
  Browse(PropertyKind::kVs, WriteText("in", "vs.txt", triplets));
  EXPECT_EQ(window.messages.back(),
            "vs.txt: x z value triplets place each value by its coordinates; they have no order "
            "of columns.\nThe file was not loaded.");

  // Rows that fit the columns on the lines, in g/cm3: no finding to ask about.
  const fs::path output = Folder("out") / "model.mvg";
  ChooseOutput(output);
  window.Type(kDensityUnitsCombo, "g/cc");
  window.AnswerQuestion(true);
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_EQ(LinesOf(window.messages.back()).back(), "Write the grid file?");
  EXPECT_TRUE(
      ReadBytes(output) ==
      MvgtoolWrites({"--vp", vp.string(), "--density", rho.string(), "--density-units", "g/cc",
                     "--order", "columns", "--flip-z", "--decimal-comma", "--dx", "1", "--dz", "1"},
                    Folder("reference") / "m.mvg"));
}

}  // namespace
}  // namespace dialog_test
