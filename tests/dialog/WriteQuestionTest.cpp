// OK: the one question before writing, and the file written or the failure reported.
#include "dialog/ConvertDialogFixture.h"
#include "textgrid/GridSizes.h"

namespace dialog_test {
namespace {

class WriteQuestionTest : public ConvertDialogTest {};

TEST_F(WriteQuestionTest, StartShowsTheInitialMembersAndMetricUnitsAndOkAsksForAFile) {
  EXPECT_EQ(Texts({kVpCountField, kWriteCountField, kXStepField, kZStepField, kVpNameText,
                   kOutputNameText}),
            (Strings{"0", "0", "1", "1", "*.txt", "*.mvg"}));
  EXPECT_EQ(Texts({kVpUnitsCombo, kDensityUnitsCombo, kVsUnitsCombo}),
            (Strings{"m/s", "kg/m3", "m/s"}));
  EXPECT_EQ(window.DisabledControls(), FakeDialogWindow::kDisabledByTemplate);

  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages, std::vector<std::string>{"Open At least one input File"});
  EXPECT_TRUE(window.fileDialogs.empty());
}

// Density and Vs alone export as QR; steps typed just before OK are the ones written, in full;
// the file lands in the folder chosen, though loading made another folder current.
TEST_F(WriteQuestionTest, OkWritesTheLoadedPropertiesWithTheStepsTypedIntoTheChosenFolder) {
  Browse(PropertyKind::kDensity, WriteText("in", "rho.txt", Sequence(12, 2000, 3)));
  window.Type(kXStepField, "12.3456789");
  window.Type(kZStepField, " 2.5e0 ");
  ChooseOutput(Folder("out") / "qr");  // shows the steps again on the way
  Browse(PropertyKind::kVs, WriteText("in", "vs.txt", Sequence(12, 800, 3)));
  EXPECT_EQ(Texts({kXStepField, kZStepField}), (Strings{"12.345679", "2.5"}));
  window.AnswerQuestion(true);  // asked with the stability report alone
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].rfind("Stability for finite-difference modelling", 0), 0u);
  EXPECT_FALSE(fs::exists(Folder("in") / "qr.mvg"));
  std::string bytes = ReadBytes(Folder("out") / "qr.mvg");
  ASSERT_EQ(bytes.size(), kGridFileHeaderSize + 4 * 2 * 12);
  EXPECT_EQ(bytes.substr(0, kGridFileHeaderSize),
            HeaderBytes(MakeGridFileHeader(3, 4, 12.3456789f, 2.5f, "QR")));
}

// A unit that is none of the list's, or whose factor takes a value past the largest float, is
// refused before any question; a Ctrl-Z that cuts a text short is asked about.
TEST_F(WriteQuestionTest, AnUnknownUnitOrAValueBeyondFloatsIsRefusedAndACtrlZCutAsked) {
  Browse(PropertyKind::kVp, WriteText("in", "vp.txt", "1500 1600\n1700 1800\x1a\n1900 2000\n"));
  Browse(PropertyKind::kDensity, WriteText("in", "rho.txt", "1000 1e36\n1200 1300\n"));
  const fs::path output = Folder("out") / "m.mvg";
  ChooseOutput(output);
  window.AnswerQuestion(true);  // not asked: the refusals come first
  for (const char* unit : {"furlongs", "g/cm3"}) {
    window.Type(kDensityUnitsCombo, unit);
    EXPECT_FALSE(dialog.OnOK());
  }
  EXPECT_FALSE(fs::exists(output));
  window.Type(kDensityUnitsCombo, "kg/m3");
  EXPECT_TRUE(dialog.OnOK());
  ASSERT_EQ(window.messages.size(), 3u);
  EXPECT_EQ(Strings(window.messages.begin(), window.messages.begin() + 2),
            (Strings{"\"furlongs\" is not one of the units for density. Choose one from the list.",
                     "rho.txt, row 1, column 2: 1e+36 g/cm3 is beyond the range of 32-bit floats "
                     "in kg/m3."}));
  // The findings come first in the question, the stability report after them.
  EXPECT_EQ(window.messages[2].rfind(
                "vp.txt: a Ctrl-Z (end-of-file mark) on line 2 ends the text, but more text "
                "follows it; nothing after it is converted.\nrho.txt holds 1000 to 1e+36 "
                "kg/m3: that is not a plausible range for density (500 to 6000 kg/m3).\n\n"
                "Stability for finite-difference modelling",
                0),
            0u)
      << window.messages[2];
  EXPECT_EQ(fs::file_size(output), kGridFileHeaderSize + 4u * 2 * 4);
}

TEST_F(WriteQuestionTest, Marmousi2OffersItsTrueWidthAndWritesWhatMvgtoolWritesForTheChoices) {
  const fs::path vp = Marmousi("vp.txt"), rho = Marmousi("density.txt"), vs = Marmousi("vs.txt");
  Browse(PropertyKind::kVp, vp);
  Browse(PropertyKind::kDensity, rho);
  Browse(PropertyKind::kVs, vs);
  ASSERT_TRUE(window.messages.empty()) << window.messages[0];

  // The lines of the first file say its rows: 500 is proposed, from one list of every size.
  EXPECT_EQ(window.ComboItems(kXSizeCombo).size(), XSizeChoices(87000).size());
  EXPECT_EQ(Text(kXSizeCombo), "500");
  EXPECT_EQ(Sizes(), (Ints{500, 174, 500, 174, 87000, 87000}));

  // A window from node (50, 20): each field checked as it is left.
  const std::pair<int, void (ConvertDialog::*)()> typed[] = {
      {kNxWriteField, &ConvertDialog::OnKillFocusNxWrite},
      {kXFromField, &ConvertDialog::OnKillFocusXFrom},
      {kNzWriteField, &ConvertDialog::OnKillFocusNzWrite},
      {kZFromField, &ConvertDialog::OnKillFocusZFrom}};
  const char* const texts[] = {"400", "50", "150", "20"};
  for (std::size_t i = 0; i < std::size(typed); ++i) {
    window.Type(typed[i].first, texts[i]);
    (dialog.*typed[i].second)();
  }
  window.Type(kVpUnitsCombo, "ft/s");
  window.Type(kDensityUnitsCombo, "lb/ft3");
  // Vs stays in m/s, so that each property must take its own unit.
  window.Type(kXStepField, "12.5");
  window.Type(kZStepField, "5");
  fs::path output = Folder("out") / "marmousi2";
  ChooseOutput(output);
  // The units chosen do not fit the values: the user is asked; No goes back with nothing written.
  window.AnswerQuestion(false);
  EXPECT_FALSE(dialog.OnOK());
  ASSERT_EQ(window.messages.size(), 1u);
  const Strings asked = LinesOf(window.messages[0]);
  EXPECT_EQ(Strings(asked.begin(), asked.begin() + 2),
            (Strings{"density.txt holds 1010 to 2627: that looks like kg/m3, not lb/ft3.",
                     "Vs is above Vp at 76000 of 87000 nodes, the first at row 23, column 1 (Vs "
                     "1061 m/s, Vp 560 m/s)."}));
  EXPECT_EQ(asked.back(), "Write the grid file anyway?");
  EXPECT_FALSE(fs::exists(Folder("out") / "marmousi2.mvg"));
  window.AnswerQuestion(true);
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();

  const fs::path reference = Folder("reference") / "m.mvg";
  std::ostringstream out, err;
  // clang-format off
  const std::vector<std::string> convert = {
      "convert", "--vp", vp.string(), "--density", rho.string(), "--vs", vs.string(),
      "--vp-units", "ft/s", "--density-units", "lb/ft3", "--vs-units", "m/s", "--nx", "500",
      "--x-from", "50", "--z-from", "20", "--nx-write", "400", "--nz-write", "150",
      "--dx", "12.5", "--dz", "5", "--force", "-o", reference.string()};
  // clang-format on
  ASSERT_EQ(RunMvgtool(convert, out, err), kExitSuccess) << err.str();
  std::string written = ReadBytes(Folder("out") / "marmousi2.mvg");
  EXPECT_EQ(written.size(), kGridFileHeaderSize + 4u * 3 * 400 * 150);
  EXPECT_TRUE(written == ReadBytes(reference)) << "the dialog's file differs from mvgtool's";
  // Between the findings and the question, the stability report mvgtool prints.
  EXPECT_EQ(Strings(asked.begin() + 2, asked.end() - 1), SummaryLines(out.str()));
}

TEST_F(WriteQuestionTest, AFailedExportIsReportedAndTheDialogStaysOpen) {
  LoadHundredVp();
  fs::path out = Folder("out");
  ChooseOutput(out / "model.mvg");
  fs::remove_all(out);
  window.AnswerQuestion(true);
  window.AnswerQuestion(true);
  EXPECT_FALSE(dialog.OnOK());
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_NE(window.messages[1].find("model.mvg"), std::string::npos) << window.messages[1];
  EXPECT_FALSE(File(PropertyKind::kVp).values.empty());
  EXPECT_EQ(dialog.Output().Name(), "model.mvg");

  fs::create_directories(out);
  EXPECT_TRUE(dialog.OnOK());
  EXPECT_EQ(fs::file_size(out / "model.mvg"), kGridFileHeaderSize + 400);
}

}  // namespace
}  // namespace dialog_test
