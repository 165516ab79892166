// Where density and Vs come from, holes, new steps and a border: refused as typed, and written
// as mvgtool writes them.
#include "dialog/ConvertDialogFixture.h"

namespace dialog_test {
namespace {

class PreparationFieldsTest : public ConvertDialogTest {};

// Each field that prepares the model: a text that is no value of it, or a value the request
// refuses, stops OK with the message, the focus on the field and nothing written.
TEST_F(PreparationFieldsTest, APreparationFieldRefusedStopsOkPointingAtIt) {
  Browse(PropertyKind::kVs, WriteText("in", "vs.txt", Sequence(100, 500)));
  window.SetComboSelection(kDensitySourceCombo, 1);  // Gardner's relation, with no Vp
  dialog.OnSourceSelChange();
  const fs::path output = Folder("out") / "never.mvg";
  ChooseOutput(output);
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages,
            Strings{"Density by Gardner's relation needs Vp: load the Vp grid too."});
  EXPECT_EQ(window.focused, kDensitySourceCombo);
  LoadHundredVp();
  window.SetComboSelection(kVsSourceCombo, 1);  // Vp / ratio: the Vs file set aside
  dialog.OnSourceSelChange();
  struct Case {
    int field;
    const char *typed, *message, *mended;
  };
  const Case cases[] = {
      {kVsRatioField, "0.9",
       "Vs = Vp / 0.9 puts Vs at or above Vp: the ratio must be greater than 1.", "1.73"},
      {kVsRatioField, "", "Please enter a number.", "1.73"},
      {kWaterVpField, "-1", "The water's Vp, -1 m/s, must be 0 or more.", "1550"},
      {kWaterDensityField, "0", "The water's density, 0 kg/m3, must be greater than 0.", "1030"},
      {kHolesCombo, "zero",
       "\"zero\" is not a way to fill holes: choose none or nearest, or type a number.", "none"},
      {kHolesCombo, "-999.25",
       "Holes cannot be filled with -999.25: it is a no-data marker itself.", "nearest"},
      {kNewXStepField, "0", "The new X step must be greater than 0.", ""},
      {kNewZStepField, "2 m", "Please enter a number.", ""},
      {kBorderField, "1,2",
       "\"1,2\" is not a border: type four whole numbers of nodes, left,right,top,bottom, as "
       "10,10,0,20.",
       " "},
      {kBorderField, "0,0,-1,0", "The border's top side, -1 nodes, must be 0 nodes or more.", ""},
  };
  for (const Case& c : cases) {
    window.messages.clear();
    window.Type(c.field, c.typed);
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(window.messages, Strings{c.message});
    EXPECT_EQ(window.focused, c.field) << c.typed;
    window.Type(c.field, c.mended);
  }
  // Two fields refused at once: OK names the first, where the focus goes.
  window.messages.clear();
  window.Type(kVsRatioField, "");
  window.Type(kHolesCombo, "zero");
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages, Strings{"Please enter a number."});
  EXPECT_EQ(window.focused, kVsRatioField);
  EXPECT_FALSE(fs::exists(output));
}

// Density by Gardner's relation and Vs by the mudrock line from Vp with a hole filled from its
// nearest node, new steps, a border and a window from node 1: the file is the one mvgtool writes
// for the same options, what mvgtool's summary says shown before OK (a field that cannot be taken
// shown as OK would refuse it), OK asking about the steps left at 1 m. A rule sets its property's
// file aside; a file dropped on its box takes it back.
TEST_F(PreparationFieldsTest, RulesAndPreparationShowAndWriteWhatMvgtoolPrintsAndWrites) {
  std::string text = Sequence(100, 1500);  // water where Vp is at most 1550 m/s
  text.replace(text.find("1555"), 4, "-999.25");
  const fs::path vp = WriteText("in", "vp.txt", text);
  const fs::path rho = WriteText("in", "rho.txt", Sequence(100, 2000));
  Browse(PropertyKind::kVp, vp);
  Browse(PropertyKind::kDensity, rho);
  const auto choose = [this](int density, int vs) {
    window.SetComboSelection(kDensitySourceCombo, density);
    window.SetComboSelection(kVsSourceCombo, vs);
    dialog.OnSourceSelChange();
  };
  choose(1, 2);  // Gardner's relation, the mudrock line
  for (int control : {kDensityBrowseButton, kDensityUnitsCombo, kVsBrowseButton, kVsRatioField}) {
    EXPECT_EQ(window.DisabledControls().count(control), 1u) << control;
  }
  EXPECT_EQ(window.DisabledControls().count(kWaterVpField), 0u);
  const PropertyKind density = PropertyKind::kDensity;
  dialog.OnDropFiles({rho.string()}, &density);
  EXPECT_EQ(window.GetComboSelection(kDensitySourceCombo), 0);
  EXPECT_EQ(window.DisabledControls().count(kDensityBrowseButton), 0u);
  choose(1, 2);

  window.Type(kHolesCombo, "nearest");
  window.Type(kNewXStepField, "2");
  window.Type(kBorderField, "1,0,0");
  dialog.RedrawPicture();  // as the window does on each change
  EXPECT_EQ(Text(kModelReportField),
            "OK would refuse this: \"1,0,0\" is not a border: type four whole numbers of nodes, "
            "left,right,top,bottom, as 10,10,0,20.");
  window.Type(kBorderField, "1,0, 0,2");
  window.Type(kNxWriteField, "8");
  dialog.OnKillFocusNxWrite();
  window.Type(kXFromField, "1");
  dialog.OnKillFocusXFrom();
  const Strings report = LinesOf(Text(kModelReportField));
  ChooseOutput(Folder("out") / "m.mvg");
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_FALSE(fs::exists(Folder("out") / "m.mvg"));
  window.AnswerQuestion(true);
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();

  const fs::path reference = Folder("reference") / "m.mvg";
  std::ostringstream out, err;
  // clang-format off
  const std::vector<std::string> convert = {
      "convert", "--vp", vp.string(), "--density", "gardner", "--vs", "mudrock",
      "--fill-holes", "nearest", "--resample", "2", "1", "--pad", "1,0,0,2", "--x-from", "1",
      "--nx-write", "8", "--dx", "1", "--dz", "1", "-o", reference.string()};
  // clang-format on
  ASSERT_EQ(RunMvgtool(convert, out, err), kExitSuccess) << err.str();
  EXPECT_TRUE(ReadBytes(Folder("out") / "m.mvg") == ReadBytes(reference));
  EXPECT_EQ(window.messages,
            Strings(2,
                    "The X and Z steps are still the initial 1 m: are they the grid's steps?"
                    "\n\nWrite the grid file anyway?"));
  Strings printed = SummaryLines(out.str());
  printed[0].replace(0, vp.string().size() + 5, "vp.txt");  // mvgtool names it "--vp PATH"
  EXPECT_EQ(report, printed);
}

}  // namespace
}  // namespace dialog_test
