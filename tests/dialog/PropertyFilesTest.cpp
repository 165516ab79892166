// Files loaded, refused, dropped and chosen in the Open dialog: each property's figures, what
// stays loaded, what is enabled.
#include "dialog/ConvertDialogFixture.h"

namespace dialog_test {
namespace {

class PropertyFilesTest : public ConvertDialogTest {};

const char kCountMismatch[] =
    "Sorry, Files has different number of elements.\n"
    "The program does not know how to process this information";

// Lines that give no X size are named as the file loads: where their pattern breaks shows where
// a value is missing or one too many.
TEST_F(PropertyFilesTest, LoadedVpShowsItsFiguresProposesAGridAndEnablesItsControls) {
  Browse(PropertyKind::kVp, WriteText("in", "vp.txt", "1500 1600.5\n-2.5e3 " + Sequence(97, 10)));
  EXPECT_EQ(window.messages,
            Strings{"vp.txt: 1 line of 2 values, then line 2 holds 11 values: no X size follows "
                    "from these lines; is a value missing or one too many on line 2?"});
  ASSERT_FALSE(File(PropertyKind::kVp).values.empty());
  EXPECT_EQ(File(PropertyKind::kVp).values[99], 106.0f);
  EXPECT_EQ(dialog.Files().ElementCount(), 100u);
  EXPECT_EQ(Texts({kVpNameText, kVpCountField, kVpMinField, kVpMaxField}),
            (Strings{"vp.txt", "100", "-2500", "1600.5"}));

  EXPECT_EQ(window.ComboItems(kXSizeCombo),
            (std::vector<std::string>{"2", "4", "5", "10", "20", "25", "50"}));
  EXPECT_EQ(window.GetComboSelection(kXSizeCombo), 3);
  EXPECT_EQ(Sizes(), (Ints{10, 10, 10, 10, 100, 100}));
  EXPECT_EQ(Texts({kXSizeCombo, kNzInputField, kNxWriteField, kWriteCountField}),
            (Strings{"10", "10", "10", "100"}));

  EXPECT_EQ(window.DisabledControls(), DisabledAfterBrowsing({&kVpControls}));
}

TEST_F(PropertyFilesTest, AnotherCountIsRefusedShowingItsFiguresAndKeepingWhatWasLoaded) {
  LoadHundredVp();
  const float* heldVp = File(PropertyKind::kVp).values.data();

  Browse(PropertyKind::kDensity, WriteText("in", "rho.txt", Sequence(120, 1000)));
  EXPECT_EQ(window.messages,
            Strings{std::string(kCountMismatch) + "\n\nrho.txt: 12 lines of 10 values"});
  EXPECT_EQ(Texts({kDensityNameText, kDensityCountField, kDensityMinField, kDensityMaxField}),
            (Strings{"*.txt", "120", "1000", "1119"}));
  EXPECT_TRUE(File(PropertyKind::kDensity).values.empty());
  EXPECT_EQ(window.DisabledControls(), DisabledAfterBrowsing({&kVpControls}));  // nothing more

  Browse(PropertyKind::kVp, WriteText("in", "vp120.txt", Sequence(120, 7)));
  EXPECT_EQ(window.messages.size(), 2u);
  // The Vp held from before stays, and stays shown: it is what OK writes.
  EXPECT_EQ(Texts({kVpNameText, kVpCountField, kVpMinField, kVpMaxField}),
            (Strings{"vp.txt", "100", "1001", "1100"}));
  EXPECT_EQ(File(PropertyKind::kVp).values.data(), heldVp);
  EXPECT_EQ(File(PropertyKind::kVp).values[0], 1001.0f);
  EXPECT_EQ(dialog.Files().ElementCount(), 100u);
  EXPECT_EQ(dialog.Grid().inputCount, 100);
}

TEST_F(PropertyFilesTest, AFileTheReaderRefusesLeavesThePropertyAsItWas) {
  Browse(PropertyKind::kVs, WriteText("in", "vs.txt", "1500 *****\n"));  // as the first file
  EXPECT_EQ(window.messages, (Strings{"vs.txt, line 1, value 2: \"*****\" is a Fortran field too "
                                      "narrow for its value: write the file with a wider format.\n"
                                      "The file was not loaded."}));
  EXPECT_EQ(window.DisabledControls(), FakeDialogWindow::kDisabledByTemplate);  // enables nothing
  LoadHundredVp();
  window.messages.clear();
  const std::pair<fs::path, std::string> refused[] = {
      {WriteText("in", "bad.txt", "1 2 3\n4 12a 6\n"),
       "bad.txt, line 2, value 2: \"12a\" is not a number"},
      {WriteText("in", "empty.txt", " \n\n"), "empty.txt: holds no values"},
      {Folder("in") / "gone.txt", "gone.txt: cannot open: "}};
  for (const auto& [path, message] : refused) {
    for (PropertyKind property : {PropertyKind::kVp, PropertyKind::kDensity}) {
      Browse(property, path);
      ASSERT_FALSE(window.messages.empty());
      EXPECT_EQ(window.messages.back().rfind(message, 0), 0u) << window.messages.back();
      EXPECT_EQ(window.messages.back().substr(window.messages.back().size() - 26),
                ".\nThe file was not loaded.");
    }
  }
  EXPECT_EQ(Texts({kVpNameText, kVpCountField, kVpMinField, kVpMaxField}),
            (Strings{"vp.txt", "100", "1001", "1100"}));
  EXPECT_EQ(Texts({kDensityNameText, kDensityCountField}), (Strings{"*.txt", "0"}));
  EXPECT_FALSE(File(PropertyKind::kVp).values.empty());
  EXPECT_EQ(File(PropertyKind::kVp).values[99], 1100.0f);
  EXPECT_TRUE(File(PropertyKind::kDensity).values.empty());
  EXPECT_EQ(window.DisabledControls(), DisabledAfterBrowsing({&kVpControls}));
}

TEST_F(PropertyFilesTest, CancelledInputDialogEnablesTheFieldsAndTheirChecksStayQuiet) {
  window.Type(kXStepField, "25");
  window.CancelFileDialog();
  dialog.OnBrowse(PropertyKind::kVs);
  std::set<int> disabled = DisabledAfterBrowsing({&kVsControls});
  disabled.insert(kPictureCombo);  // no property to choose
  EXPECT_EQ(window.DisabledControls(), disabled);
  EXPECT_TRUE(File(PropertyKind::kVs).values.empty());
  EXPECT_EQ(Texts({kVsNameText, kVsCountField, kNxWriteField}), (Strings{"*.txt", "0", "0"}));
  EXPECT_EQ(dialog.Grid().xStep, 25.0f);                 // taken in before the dialog
  EXPECT_FALSE(fs::exists(root_ / "RUX" / "_cwd.rux"));  // nothing remembered
  // Tabbing through the sizes of a grid not yet loaded says nothing.
  dialog.OnKillFocusNxWrite();
  dialog.OnKillFocusNzWrite();
  EXPECT_TRUE(window.messages.empty());
}

// The folder before "<separator>*.txt" in a file dialog's initial name.
fs::path StartFolderOf(const FakeDialogWindow::FileDialogCall& call, const std::string& pattern) {
  const std::string& name = call.request.initialFileName;
  EXPECT_GE(name.size(), pattern.size() + 1);
  EXPECT_EQ(name.substr(name.size() - pattern.size() - 1), kPathSeparator + pattern);
  return fs::path(name.substr(0, name.size() - pattern.size() - 1));
}

TEST_F(PropertyFilesTest, EveryFileDialogStartsInTheFolderChosenBefore) {
  const fs::path memoryFile = root_ / "RUX" / "_cwd.rux";
  window.CancelFileDialog();
  dialog.OnBrowse(PropertyKind::kVp);
  EXPECT_EQ(window.fileDialogs[0].request.initialFileName,
            std::string(1, kPathSeparator) + "*.txt");
  EXPECT_FALSE(fs::exists(memoryFile));  // a cancelled input dialog records nothing

  window.CancelFileDialog();
  dialog.OnBrowseOutput();
  EXPECT_EQ(window.fileDialogs[1].request.initialFileName,
            std::string(1, kPathSeparator) + "*.mvg");
  EXPECT_TRUE(fs::exists(memoryFile));  // a cancelled output dialog records the current folder

  LoadHundredVp();
  ChooseOutput(Folder("out") / "model.mvg");
  Browse(PropertyKind::kDensity, WriteText("in", "rho.txt", Sequence(100)));
  ASSERT_EQ(window.fileDialogs.size(), 5u);
  const std::string expected[] = {root_.string(), Folder("in").string(), Folder("out").string()};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(fs::equivalent(StartFolderOf(window.fileDialogs[i + 2], i == 1 ? "*.mvg" : "*.txt"),
                               expected[i]));
  }
  EXPECT_EQ(window.UnusedAnswers(), 0u);
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(PropertyFilesTest, AFileDroppedOnAPropertysBoxLoadsThereAndOtherDropsAreRefused) {
  const fs::path file = WriteText("drop", "vp.txt", Sequence(100, 1001));
  const PropertyKind density = PropertyKind::kDensity;
  dialog.OnDropFiles({file.string()}, &density);
  EXPECT_FALSE(File(PropertyKind::kDensity).values.empty());
  EXPECT_EQ(Texts({kDensityNameText, kDensityCountField}), (Strings{"vp.txt", "100"}));
  EXPECT_EQ(window.DisabledControls(), DisabledAfterBrowsing({&kDensityControls}));
  window.CancelFileDialog();
  dialog.OnBrowse(
      PropertyKind::kVs);  // starts where the file was dropped from, as after an Open dialog
  EXPECT_TRUE(fs::equivalent(StartFolderOf(window.fileDialogs.back(), "*.txt"), Folder("drop")));

  const std::string refusal =
      "To load a text grid, drop one file on the box of its property: Vp, density or Vs.";
  dialog.OnDropFiles({file.string()}, nullptr);
  dialog.OnDropFiles({file.string(), file.string()}, &density);
  EXPECT_EQ(window.messages, (Strings{refusal, refusal}));
  EXPECT_TRUE(File(PropertyKind::kVp).values.empty());
}

}  // namespace
}  // namespace dialog_test
