// The X size offered, proposed and chosen, the steps a form states, and the window to write
// checked as each of its fields is left and again by OK.
#include "dialog/ConvertDialogFixture.h"

namespace dialog_test {
namespace {

class GridFieldsTest : public ConvertDialogTest {};

// A later file of the same count keeps the X size and the window chosen (and the list); one whose
// form states its grid sets the size it states. That file, not the first one loaded, says the X
// size again when a reading choice reads the files again.
TEST_F(GridFieldsTest, ALaterLoadKeepsTheChosenXSizeUnlessItsFormStatesTheGrid) {
  Browse(PropertyKind::kDensity, WriteText("in", "rho.txt", Sequence(100, 2000)));
  ChooseXSize("4");
  window.Type(kNzWriteField, "20");
  dialog.OnKillFocusNzWrite();
  Browse(PropertyKind::kVp, WriteText("in", "vp.txt", Sequence(100, 1500)));
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(File(PropertyKind::kDensity).values[99], 2099.0f);
  EXPECT_EQ(File(PropertyKind::kVp).values[99], 1599.0f);
  EXPECT_EQ(Sizes(), (Ints{4, 25, 4, 20, 100, 80}));
  EXPECT_EQ(window.ComboItems(kXSizeCombo).size(), 7u);  // not repeated
  EXPECT_EQ(Texts({kXSizeCombo, kNzWriteField}), (Strings{"4", "20"}));
  EXPECT_EQ(window.DisabledControls(), DisabledAfterBrowsing({&kVpControls, &kDensityControls}));

  const fs::path vs =
      WriteText("in", "vs.asc",
                "ncols 5\nnrows 20\nxllcorner 0\nyllcorner 0\ncellsize 20\n" + Sequence(100, 700));
  Browse(PropertyKind::kVs, vs);
  EXPECT_TRUE(window.messages.empty()) << window.messages[0];
  EXPECT_EQ(Sizes(), (Ints{5, 20, 5, 20, 100, 100}));
  EXPECT_EQ(Texts({kXSizeCombo, kNzWriteField, kXStepField}), (Strings{"5", "20", "20"}));
  // The lines of the files loaded first, ten values each, would propose 10.
  window.Click(kDecimalCommaCheck);
  dialog.OnReadingChoice();
  EXPECT_TRUE(window.messages.empty()) << window.messages[0];
  EXPECT_EQ(Sizes(), (Ints{5, 20, 5, 20, 100, 100}));
  EXPECT_EQ(Text(kXSizeCombo), "5");

  const fs::path output = Folder("out") / "model.mvg";
  ChooseOutput(output);
  window.AnswerQuestion(true);
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_TRUE(ReadBytes(output) == MvgtoolWrites({"--vp", (Folder("in") / "vp.txt").string(),
                                                  "--density", (Folder("in") / "rho.txt").string(),
                                                  "--vs", vs.string(), "--decimal-comma"},
                                                 Folder("reference") / "m.mvg"));
}

// Text typed into the X-size box that is none of its sizes shows no size and no picture, and OK
// refuses it pointing at the box; a step typed and not yet taken in stays as typed whatever size
// is chosen, and is written.
TEST_F(GridFieldsTest, AnXSizeChosenOrTypedFromTheListDerivesTheRestAndOtherTextIsRefused) {
  LoadHundredVp();
  window.Type(kXStepField, "9");
  window.SetComboSelection(kXSizeCombo, 1);
  dialog.OnXSizeSelChange();
  EXPECT_EQ(Sizes(), (Ints{4, 25, 4, 25, 100, 100}));
  EXPECT_EQ(Texts({kXSizeCombo, kNzInputField, kXStepField}), (Strings{"4", "25", "9"}));

  // Typing counts once the text is one of the list's sizes, on the way through "5" too.
  for (const char* typed : {"5", "50"}) {
    window.Type(kXSizeCombo, typed);
    dialog.OnXSizeEditChange();
  }
  EXPECT_EQ(Sizes(), (Ints{50, 2, 50, 2, 100, 100}));  // wider than deep
  EXPECT_EQ(Text(kXSizeCombo), "50");                  // the typed text stays as typed
  ChooseOutput(Folder("out") / "m.mvg");
  window.Type(kXSizeCombo, " 7");
  dialog.OnXSizeEditChange();
  const std::string refusal =
      "\" 7\" is not one of the X sizes in the list. Choose one from the list.";
  EXPECT_EQ(dialog.Grid().nxInput, 50);
  EXPECT_EQ(Texts({kNzInputField, kNxWriteField, kNzWriteField, kWriteCountField, kWrittenSizesText,
                   kModelReportField}),
            (Strings{"", "", "", "", "", "OK would refuse this: " + refusal}));
  EXPECT_EQ(pictures.shown.back().values, nullptr);
  EXPECT_EQ(pictures.shown.back().title, refusal);
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages, (Strings{refusal}));
  EXPECT_EQ(window.focused, kXSizeCombo);
  EXPECT_FALSE(fs::exists(Folder("out") / "m.mvg"));
  window.Type(kXSizeCombo, "20");
  dialog.OnXSizeEditChange();
  EXPECT_EQ(Texts({kNzInputField, kWriteCountField}), (Strings{"5", "100"}));
  EXPECT_NE(pictures.shown.back().values, nullptr);
  window.AnswerQuestion(true);
  ASSERT_TRUE(dialog.OnOK());
  EXPECT_EQ(window.messages.back(),
            "The Z step is still the initial 1 m: is it the grid's step?\n\nWrite the grid file "
            "anyway?");
  EXPECT_EQ(ReadBytes(Folder("out") / "m.mvg").substr(0, kGridFileHeaderSize),
            HeaderBytes(MakeGridFileHeader(20, 5, 9.0f, 1.0f, "P")));
}

// A file whose lines say nothing of the X size (one line) is told at once with the guess, and asked
// about on OK (No, the default, writes nothing) until the user chooses a size, which a later file
// keeps; rows that put two to each line of a file are asked about too.
TEST_F(GridFieldsTest, AGuessedXSizeIsToldOnLoadingAndAskedAboutUntilTheUserChoosesOne) {
  const fs::path vp = WriteText("in", "vp.txt", Sequence(100, 1001, 100));
  Browse(PropertyKind::kVp, vp);
  const std::string guess =
      "vp.txt: 100 values on one line say nothing of the X size; nx 10 is a guess: give the "
      "\"X-Size in Input File\"";
  EXPECT_EQ(window.messages, Strings{guess});
  window.Type(kXStepField, "20");
  window.Type(kZStepField, "20");
  const fs::path output = Folder("out") / "m.mvg";
  ChooseOutput(output);
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages.back(), guess + "\n\nWrite the grid file anyway?");

  ChooseXSize("20");
  const fs::path rho = WriteText("in", "rho.txt", Sequence(100, 2000));  // ten lines of ten
  Browse(PropertyKind::kDensity, rho);
  EXPECT_EQ(Text(kXSizeCombo), "20");
  ChooseXSize("5");
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages.back(),
            "rho.txt: rows of 5 put 2 rows on each of its 10 lines of 10 values: is the X size 10?"
            "\n\nWrite the grid file anyway?");
  EXPECT_FALSE(fs::exists(output));
  ChooseXSize("20");
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_EQ(window.messages.size(), 3u);
  EXPECT_TRUE(ReadBytes(output) == MvgtoolWrites({"--vp", vp.string(), "--density", rho.string(),
                                                  "--nx", "20", "--dx", "20", "--dz", "20"},
                                                 Folder("reference") / "m.mvg"));
}

// The window's sizes and first nodes: each field checked as it is left, all of them by OK (Enter
// in a field leaves none), a refused one restored and, on OK, given the focus; an X size chosen
// makes the whole grid the window again.
TEST_F(GridFieldsTest, TheWindowIsCheckedOnLeavingAndOnOkAndARefusedFieldRestored) {
  LoadHundredVp();
  const std::map<int, void (ConvertDialog::*)()> leave = {
      {kNxWriteField, &ConvertDialog::OnKillFocusNxWrite},
      {kXFromField, &ConvertDialog::OnKillFocusXFrom},
      {kNzWriteField, &ConvertDialog::OnKillFocusNzWrite},
      {kZFromField, &ConvertDialog::OnKillFocusZFrom}};
  struct Case {
    int field;
    const char* typed;
    const char* message;  // empty: accepted
    std::int32_t nxWrite, xFrom, nzWrite, zFrom;
  };
  const Case cases[] = {
      {kNxWriteField, "12", "Size nx=12 to Write could not be greater then nx=10 in input file", 10,
       0, 10, 0},
      {kNxWriteField, "0", "Size nx=0 to Write could not be less then 1", 10, 0, 10, 0},
      {kNxWriteField, "5", "", 5, 0, 10, 0},
      {kXFromField, "6", "The window's X nodes 6 to 10 leave the grid, whose last X node is 9.", 5,
       0, 10, 0},
      {kXFromField, "x", "Please enter an integer.", 5, 0, 10, 0},
      {kXFromField, "5", "", 5, 5, 10, 0},
      {kNxWriteField, "6", "The window's X nodes 5 to 10 leave the grid, whose last X node is 9.",
       5, 5, 10, 0},
      {kNzWriteField, "11", "Size nz=11 to Write could not be greater then nz=10 in input file", 5,
       5, 10, 0},
      {kNzWriteField, "-1", "Size nz=-1 to Write could not be less then 1", 5, 5, 10, 0},
      {kNzWriteField, "3", "", 5, 5, 3, 0},
      {kZFromField, "-1", "The window's first Z node, -1, is before the grid's first, 0.", 5, 5, 3,
       0},
      {kZFromField, "7", "", 5, 5, 3, 7},
  };
  for (const Case& c : cases) {
    window.messages.clear();
    window.Type(c.field, c.typed);
    (dialog.*leave.at(c.field))();
    EXPECT_EQ(window.messages, *c.message ? Strings{c.message} : Strings{}) << c.typed;
    const Ints expected = {c.nxWrite, c.xFrom, c.nzWrite, c.zFrom, c.nxWrite * c.nzWrite};
    EXPECT_EQ((Ints{dialog.Grid().nxWrite, dialog.Grid().xFrom, dialog.Grid().nzWrite,
                    dialog.Grid().zFrom, dialog.Grid().writeCount}),
              expected)
        << c.typed;
    EXPECT_EQ(
        Texts({kNxWriteField, kXFromField, kWriteCountField}),
        (Strings{std::to_string(c.nxWrite), std::to_string(c.xFrom), std::to_string(expected[4])}));
  }
  // The Z size in input is typed by the user; the rows that exist still hold.
  window.messages.clear();
  window.Type(kNzInputField, "20");
  window.Type(kNzWriteField, "15");
  dialog.OnKillFocusNzWrite();
  EXPECT_EQ(window.messages,
            (Strings{"Size nz=15 to Write could not be greater then 10 rows in input file"}));
  EXPECT_EQ(dialog.Grid().nzWrite, 3);

  const fs::path output = Folder("out") / "never.mvg";
  ChooseOutput(output);
  const std::pair<int, const char*> typed[] = {
      {kNxWriteField, "0"}, {kNzWriteField, "-4"}, {kXFromField, "6"}, {kZFromField, "8"}};
  for (const auto& [field, text] : typed) {
    window.messages.clear();
    window.Type(field, text);
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.focused, field);
    EXPECT_EQ(Texts({kNxWriteField, kXFromField, kNzWriteField, kZFromField}),
              (Strings{"5", "5", "3", "7"}));  // restored
  }
  EXPECT_FALSE(fs::exists(output));
  // Once OK has moved the focus, leaving a field is checked again.
  window.messages.clear();
  window.Type(kNxWriteField, "12");
  dialog.OnKillFocusNxWrite();
  EXPECT_EQ(window.messages,
            Strings{"Size nx=12 to Write could not be greater then nx=10 in input file"});
  ChooseXSize("20");
  EXPECT_EQ(Texts({kNxWriteField, kXFromField, kNzWriteField, kZFromField, kWriteCountField}),
            (Strings{"20", "0", "5", "0", "100"}));
}

TEST_F(GridFieldsTest, AStepThatIsNoNumberOrNotAboveZeroStopsOkBeforeTheFieldsAfterIt) {
  LoadHundredVp();
  const fs::path output = Folder("out") / "never.mvg";
  ChooseOutput(output);
  // A field that is no number stops OK before anything is checked; those after it are not read.
  const std::tuple<const char*, const char*, const char*> fields[] = {
      {"abc", "1", "Please enter a number."},
      {"2", "1x", "Please enter a number."},
      {"20", "-0", "The Z step must be greater than 0."}};
  for (const auto& [x, z, message] : fields) {
    EXPECT_EQ(dialog.Grid().nxWrite, 10);
    window.messages.clear();
    window.Type(kXStepField, x);
    window.Type(kZStepField, z);
    window.Type(kNxWriteField, "5");
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(window.messages, Strings{message});
  }
  EXPECT_FALSE(fs::exists(output));
}

// Grids that state their sizes and steps preset the X size and both steps, a step typed staying
// the user's; a grid of other sizes is refused, holes too until filled; the form and the lines
// passed over show for the file loaded last; the file is the one mvgtool writes.
TEST_F(GridFieldsTest, StatedGridsPresetTheSizesAndStepsAndMustAgree) {
  const std::string rows = "1500 1510 1520 1530\n1600 1610 1620 1630\n1700 1710 1720 1730\n";
  const fs::path vp =
      WriteText("in", "vp.asc",
                "# by hand\nncols 4\nnrows 3\nxllcorner 0\nyllcorner 0\ncellsize 20\n" + rows);
  Browse(PropertyKind::kVp, vp);
  EXPECT_EQ(Texts({kXSizeCombo, kNzInputField, kXStepField, kZStepField}),
            (Strings{"4", "3", "20", "20"}));
  EXPECT_EQ(Text(kReadingText),
            "vp.asc: ESRI ASCII grid, ncols 4, nrows 3, cellsize 20; skipped 1 comment line (1)");

  window.Type(kXStepField, "25");
  const fs::path rho = WriteText("in", "rho.grd",
                                 "DSAA\n4 3\n0 60\n0 40\n2000 2300\n2000 2100 2200 2300\n\n"
                                 "2000 2100 2200 2300\n2000 2100 2200 2300\n");
  Browse(PropertyKind::kDensity, rho);
  EXPECT_EQ(Texts({kXStepField, kZStepField}), (Strings{"25", "20"}));
  EXPECT_EQ(Text(kReadingText).rfind("rho.grd: Surfer ASCII grid, nx 4, ny 3", 0), 0u);

  Browse(PropertyKind::kVs, WriteText("in", "vs.asc",
                                      "ncols 3\nnrows 4\nxllcorner 0\nyllcorner 0\ncellsize 20\n" +
                                          Sequence(12, 700, 3)));
  EXPECT_EQ(window.messages,
            Strings{"vs.asc gives nx 3, nz 4, dx 20, dz 20, but vp.asc gives nx 4, nz 3, dx 20, "
                    "dz 20: all input files must have the same sizes and steps.\n"
                    "The file was not loaded."});
  const fs::path vs =
      WriteText("in", "vs.asc",
                "ncols 4\nnrows 3\nxllcorner 0\nyllcorner 0\ncellsize 20\nNODATA_value -9999\n"
                "700 710 720 730\n740 750 -9999 770\n780 790 800 810\n");
  Browse(PropertyKind::kVs, vs);
  const fs::path output = Folder("out") / "model.mvg";
  ChooseOutput(output);
  window.Type(kXStepField, "20");
  window.messages.clear();
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages,
            Strings{"vs.asc holds 1 hole (nodata_value -9999), the first at row 2, column 3: a "
                    "model cannot have holes; fill them."});
  EXPECT_EQ(window.focused, kHolesCombo);
  EXPECT_FALSE(fs::exists(output));

  window.Type(kHolesCombo, "nearest");
  // Another X size is the user's choice, but it shears the model the header describes: asked.
  ChooseXSize("6");
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_NE(window.messages.back().find(
                "X size 6 contradicts vp.asc: the ESRI ASCII grid header gives nx 4"),
            std::string::npos)
      << window.messages.back();
  EXPECT_FALSE(fs::exists(output));
  // The size stated, one step typed and the other stated: asked about what the values look like
  // alone, in the dialog's words.
  ChooseXSize("4");
  window.AnswerQuestion(true);
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_EQ(window.messages.back(),
            "vs.asc: the first row rises by 10 from column to column, from 700 to 730: x "
            "coordinates? \"Skip rows\" 1 leaves it out\nrho.grd: values change along the rows but "
            "not down the columns: is the file stored column by column?\n\nWrite the grid file "
            "anyway?");
  EXPECT_TRUE(ReadBytes(output) == MvgtoolWrites({"--vp", vp.string(), "--density", rho.string(),
                                                  "--vs", vs.string(), "--fill-holes", "nearest"},
                                                 Folder("reference") / "m.mvg"));
}

}  // namespace
}  // namespace dialog_test
