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

  // Rows that fit the columns on the lines, in g/cm3, steps typed: nothing to ask about.
  const fs::path output = Folder("out") / "model.mvg";
  ChooseOutput(output);
  window.Type(kDensityUnitsCombo, "g/cc");
  window.Type(kXStepField, "1");
  window.Type(kZStepField, "1");
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_EQ(window.messages.size(), 3u);
  EXPECT_TRUE(
      ReadBytes(output) ==
      MvgtoolWrites({"--vp", vp.string(), "--density", rho.string(), "--density-units", "g/cc",
                     "--order", "columns", "--flip-z", "--decimal-comma", "--dx", "1", "--dz", "1"},
                    Folder("reference") / "m.mvg"));
}

}  // namespace
}  // namespace dialog_test

namespace dialog_test {
namespace {

// Six rows of three velocities, faster with depth, the top two starting alike (as x coordinates
// of triplets would); each row after its depth (from 500 m, every 20 m) when `withDepths`.
std::string ThreeWide(bool withDepths = false) {
  std::string text;
  for (int z = 0; z < 6; ++z) {
    const int row = z < 2 ? 1500 : 1500 + 100 * z;
    if (withDepths) text += std::to_string(500 + 20 * z) + " ";
    text += std::to_string(row) + " " + std::to_string(row + 10 + 10 * (z % 2)) + " " +
            std::to_string(row + 5) + "\n";
  }
  return text;
}

// A plain grid three values wide reads as triplets, which it is not: the refusal names the form
// that reads it, and with that form chosen it loads and writes what mvgtool --form plain writes.
TEST_F(ReadingChoicesTest, TheFormChosenReadsAPlainGridTheTextTellsAsTriplets) {
  const fs::path vs = WriteText("in", "vs.txt", ThreeWide());
  Browse(PropertyKind::kVs, vs);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].substr(window.messages[0].find("; if")),
            "; if it is a plain grid three values wide, the form \"plain text grid\" reads it as "
            "one.\nThe file was not loaded.");
  EXPECT_EQ(window.ComboItems(kFormCombo)[window.GetComboSelection(kFormCombo)],
            "as told from the file");
  window.SetComboSelection(kFormCombo, 1);
  dialog.OnReadingChoice();
  Browse(PropertyKind::kVs, vs);
  EXPECT_EQ(Texts({kXSizeCombo, kReadingText}), (Strings{"3", "vs.txt: plain text grid"}));
  window.Type(kXStepField, "10");
  window.Type(kZStepField, "10");
  const fs::path output = Folder("out") / "m.mvg";
  ChooseOutput(output);
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_EQ(window.messages.size(), 1u);
  EXPECT_TRUE(ReadBytes(output) ==
              MvgtoolWrites({"--vs", vs.string(), "--form", "plain", "--dx", "10", "--dz", "10"},
                            Folder("reference") / "m.mvg"));
}

// Triplets whose coordinates are in km state steps of 0.02: OK asks, naming "Coordinates in km",
// which read, states steps of 20 m: what mvgtool --coordinates km writes.
TEST_F(ReadingChoicesTest, CoordinatesInKmAreAskedAboutAndReadInKmWhenChecked) {
  std::string text = "x z vp\n";
  for (int z = 0; z < 4; ++z) {
    for (int x = 0; x < 5; ++x) {
      text += std::to_string(x * 0.02).substr(0, 4) + " " + std::to_string(z * 0.02).substr(0, 4) +
              " " + std::to_string(1500 + 100 * z + 3 * x) + "\n";
    }
  }
  const fs::path vp = WriteText("in", "vp.xyz", text);
  Browse(PropertyKind::kVp, vp);
  EXPECT_EQ(Texts({kXSizeCombo, kXStepField, kZStepField}), (Strings{"5", "0.02", "0.02"}));
  const fs::path output = Folder("out") / "m.mvg";
  ChooseOutput(output);
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages,
            Strings{"vp.xyz: steps of 0.02 and 0.02, from the triplets' coordinates: are they in "
                    "km? \"Coordinates in km\" reads them in km\n\nWrite the grid file anyway?"});
  window.Click(kKmCheck);
  dialog.OnReadingChoice();
  EXPECT_EQ(Texts({kXStepField, kZStepField}), (Strings{"20", "20"}));
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_EQ(window.messages.size(), 1u);
  EXPECT_TRUE(ReadBytes(output) == MvgtoolWrites({"--vp", vp.string(), "--coordinates", "km"},
                                                 Folder("reference") / "m.mvg"));
}

// Depths written in a first column are asked about on OK, naming "Skip columns". A number of them
// that is none is refused as its field is left; one typed and not yet read is read by OK, which
// shows the grid it makes and writes nothing until the next OK: what mvgtool --skip-columns 1
// writes.
TEST_F(ReadingChoicesTest, DepthsInAFirstColumnAreAskedAboutAndLeftOutWithSkipColumns) {
  const fs::path vp = WriteText("in", "vp.txt", ThreeWide(true));
  Browse(PropertyKind::kVp, vp);
  EXPECT_EQ(Text(kXSizeCombo), "4");
  window.Type(kXStepField, "20");
  window.Type(kZStepField, "20");
  const fs::path output = Folder("out") / "m.mvg";
  ChooseOutput(output);
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages,
            Strings{"vp.txt: the first column rises by 20 on each line, from 500 to 600: depths? "
                    "\"Skip columns\" 1 leaves it out\nvp.txt: values change 5 times more along "
                    "the rows than down the columns: is the file stored column by column?\n\n"
                    "Write the grid file anyway?"});
  window.Type(kSkipColumnsField, "one");
  dialog.OnKillFocusSkip();
  EXPECT_EQ(window.messages.back(),
            "\"Skip columns\" needs a whole number of 0 or more, not \"one\".");
  EXPECT_EQ(Text(kSkipColumnsField), "0");
  window.Type(kSkipColumnsField, "1");
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages.back(),
            "The files were read again with the reading choices typed: see the grid they make, "
            "then press OK again.");
  EXPECT_EQ(Texts({kXSizeCombo, kReadingText}),
            (Strings{"3", "vp.txt: plain text grid, 1 column left out"}));
  EXPECT_FALSE(fs::exists(output));
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_EQ(window.messages.size(), 3u);
  EXPECT_TRUE(ReadBytes(output) == MvgtoolWrites({"--vp", vp.string(), "--skip-columns", "1",
                                                  "--dx", "20", "--dz", "20"},
                                                 Folder("reference") / "m.mvg"));
}

}  // namespace
}  // namespace dialog_test
