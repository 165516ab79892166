#include "dialog/ConvertDialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/Mvgtool.h"
#include "dialog/ConvertDialogControls.h"
#include "folders/FolderMemory.h"
#include "gridfile/GridFileHeader.h"
#include "support/FakeDialogWindow.h"
#include "support/FakeFolders.h"
#include "support/RecordedPictures.h"
#include "support/ScratchFolder.h"
#include "textgrid/GridSizes.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const char kCountMismatch[] =
    "Sorry, Files has different number of elements.\n"
    "The program does not know how to process this information";

// What a browse of the properties enables: the grid's controls and the properties' own.
std::set<int> DisabledAfterBrowsing(std::initializer_list<const std::vector<int>*> properties) {
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

const std::vector<int> kVpControls = {kVpCountField, kVpMinField, kVpMaxField, kVpUnitsCombo};
const std::vector<int> kDensityControls = {kDensityCountField, kDensityMinField, kDensityMaxField,
                                           kDensityUnitsCombo};
const std::vector<int> kVsControls = {kVsCountField, kVsMinField, kVsMaxField, kVsUnitsCombo};

// Values first, first + 1, ... ten (or perLine) to a line.
std::string Sequence(int count, int first = 1, int perLine = 10) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += std::to_string(first + i);
    text += (i % perLine == perLine - 1) ? '\n' : ' ';
  }
  return text;
}

std::string ReadBytes(const fs::path& path) { return ReadFileBytes(path.string()); }

// A text's lines that are not blank.
std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// What mvgtool convert prints after its "Wrote" line: what it did to the model and the stability
// report.
std::vector<std::string> SummaryLines(const std::string& printed) {
  std::vector<std::string> lines = LinesOf(printed);
  if (!lines.empty()) lines.erase(lines.begin());
  return lines;
}

std::string HeaderBytes(const GridFileHeader& header) {
  auto bytes = header.ToBytes();
  return std::string(bytes.begin(), bytes.end());
}

// The Marmousi-II model of the samples.
fs::path Marmousi(const char* name) {
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
    Browse(property);
  }

  void Browse(PropertyKind property) { dialog.OnBrowse(property); }
  const PropertyFile& File(PropertyKind property) const { return dialog.files[property]; }

  void ChooseOutput(const fs::path& path) {
    window.AnswerFileDialog(path.string());
    dialog.OnBrowseOutput();
  }

  std::string Text(int controlId) const { return window.GetControlText(controlId); }

  // nxInput, nzInput, nxWrite, nzWrite, inputCount, writeCount.
  std::vector<std::int32_t> Sizes() const {
    return {dialog.nxInput, dialog.nzInput,    dialog.nxWrite,
            dialog.nzWrite, dialog.inputCount, dialog.writeCount};
  }
  using Ints = std::vector<std::int32_t>;

  std::vector<std::string> Texts(std::initializer_list<int> controlIds) const {
    std::vector<std::string> texts;
    for (int id : controlIds) texts.push_back(Text(id));
    return texts;
  }
  using Strings = std::vector<std::string>;

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

TEST_F(ConvertDialogTest, StartShowsTheInitialMembersAndMetricUnitsAndOkAsksForAFile) {
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

// Lines that give no X size are named as the file loads: where their pattern breaks shows where
// a value is missing or one too many.
TEST_F(ConvertDialogTest, LoadedVpShowsItsFiguresProposesAGridAndEnablesItsControls) {
  Browse(PropertyKind::kVp, WriteText("in", "vp.txt", "1500 1600.5\n-2.5e3 " + Sequence(97, 10)));
  EXPECT_EQ(window.messages,
            Strings{"vp.txt: 1 line of 2 values, then line 2 holds 11 values: no X size follows "
                    "from these lines; is a value missing or one too many on line 2?"});
  ASSERT_FALSE(File(PropertyKind::kVp).values.empty());
  EXPECT_EQ(File(PropertyKind::kVp).values[99], 106.0f);
  EXPECT_EQ(dialog.elementCount, 100u);
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

TEST_F(ConvertDialogTest, ALaterLoadOfTheSameCountKeepsTheChosenXSizeAndTheList) {
  Browse(PropertyKind::kDensity, WriteText("in", "rho.txt", Sequence(100, 2000)));
  window.SetComboSelection(kXSizeCombo, 1);  // 4 picked from the list
  dialog.OnXSizeSelChange();
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
}

TEST_F(ConvertDialogTest, AnotherCountIsRefusedShowingItsFiguresAndKeepingWhatWasLoaded) {
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
  EXPECT_EQ(dialog.elementCount, 100u);
  EXPECT_EQ(dialog.inputCount, 100);
}

TEST_F(ConvertDialogTest, AFileTheReaderRefusesLeavesThePropertyAsItWas) {
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

TEST_F(ConvertDialogTest, CancelledInputDialogEnablesTheFieldsAndTheirChecksStayQuiet) {
  window.Type(kXStepField, "25");
  window.CancelFileDialog();
  dialog.OnBrowse(PropertyKind::kVs);
  std::set<int> disabled = DisabledAfterBrowsing({&kVsControls});
  disabled.insert(kPictureCombo);  // no property to choose
  EXPECT_EQ(window.DisabledControls(), disabled);
  EXPECT_TRUE(File(PropertyKind::kVs).values.empty());
  EXPECT_EQ(Texts({kVsNameText, kVsCountField, kNxWriteField}), (Strings{"*.txt", "0", "0"}));
  EXPECT_EQ(dialog.xStep, 25.0f);                        // taken in before the dialog
  EXPECT_FALSE(fs::exists(root_ / "RUX" / "_cwd.rux"));  // nothing remembered
  // Tabbing through the sizes of a grid not yet loaded says nothing.
  dialog.OnKillFocusNxWrite();
  dialog.OnKillFocusNzWrite();
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(ConvertDialogTest, AnXSizeChosenOrTypedFromTheListDerivesTheRestAndOtherTextIsRefused) {
  LoadHundredVp();
  window.Type(kXStepField, "9");  // not taken in by a size choice: shown back as before
  window.SetComboSelection(kXSizeCombo, 1);
  dialog.OnXSizeSelChange();
  EXPECT_EQ(Sizes(), (Ints{4, 25, 4, 25, 100, 100}));
  EXPECT_EQ(Texts({kXSizeCombo, kNzInputField, kXStepField}), (Strings{"4", "25", "1"}));

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
  EXPECT_EQ(dialog.nxInput, 50);
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages,
            (Strings{"\" 7\" is not one of the X sizes in the list. Choose one from the list."}));
  EXPECT_FALSE(fs::exists(Folder("out") / "m.mvg"));
  window.Type(kXSizeCombo, "20");
  dialog.OnXSizeEditChange();
  window.AnswerQuestion(true);
  ASSERT_TRUE(dialog.OnOK());
  EXPECT_EQ(ReadBytes(Folder("out") / "m.mvg").substr(0, kGridFileHeaderSize),
            HeaderBytes(MakeGridFileHeader(20, 5, 1.0f, 1.0f, "P")));
}

// The window's sizes and first nodes: each field checked as it is left, all of them by OK (Enter
// in a field leaves none), a refused one restored and, on OK, given the focus.
TEST_F(ConvertDialogTest, TheWindowIsCheckedOnLeavingAndOnOkAndARefusedFieldRestored) {
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
    EXPECT_EQ((Ints{dialog.nxWrite, dialog.xFrom, dialog.nzWrite, dialog.zFrom, dialog.writeCount}),
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
  EXPECT_EQ(dialog.nzWrite, 3);

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
}

// Each field that prepares the model: a text that is no value of it, or a value the request
// refuses, stops OK with the message, the focus on the field and nothing written.
TEST_F(ConvertDialogTest, APreparationFieldRefusedStopsOkPointingAtIt) {
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
  EXPECT_FALSE(fs::exists(output));
}

// Density by Gardner's relation and Vs by the mudrock line from Vp with a hole filled from its
// nearest node, new steps, a border and a window from node 1: the file is the one mvgtool writes
// for the same options, after one question that lists what mvgtool's summary says. A rule sets
// its property's file aside, the picture too; a file dropped on its box takes it back.
TEST_F(ConvertDialogTest, RulesAndPreparationWriteWhatMvgtoolWritesAfterOneQuestion) {
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
  EXPECT_EQ(window.ComboItems(kPictureCombo), Strings{"Vp"});
  for (int control : {kDensityBrowseButton, kDensityUnitsCombo, kVsBrowseButton, kVsRatioField}) {
    EXPECT_EQ(window.DisabledControls().count(control), 1u) << control;
  }
  EXPECT_EQ(window.DisabledControls().count(kWaterVpField), 0u);
  const PropertyKind density = PropertyKind::kDensity;
  dialog.OnDropFiles({rho.string()}, &density);
  EXPECT_EQ(window.GetComboSelection(kDensitySourceCombo), 0);
  EXPECT_EQ(window.ComboItems(kPictureCombo), (Strings{"Vp", "density"}));
  choose(1, 2);

  window.Type(kHolesCombo, "nearest");
  window.Type(kNewXStepField, "2");
  window.Type(kBorderField, "1,0, 0,2");
  window.Type(kNxWriteField, "8");
  dialog.OnKillFocusNxWrite();
  window.Type(kXFromField, "1");
  dialog.OnKillFocusXFrom();
  ChooseOutput(Folder("out") / "m.mvg");
  window.AnswerQuestion(false);
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
  ASSERT_EQ(window.messages.size(), 2u);
  Strings asked = LinesOf(window.messages[0]);
  EXPECT_EQ(asked.back(), "Write the grid file?");
  asked.pop_back();
  Strings printed = SummaryLines(out.str());
  printed[0].replace(0, vp.string().size() + 5, "vp.txt");  // mvgtool names it "--vp PATH"
  EXPECT_EQ(asked, printed);
}

// Density and Vs alone export as QR; steps typed just before OK are the ones written, in full;
// the file lands in the folder chosen, though loading made another folder current.
TEST_F(ConvertDialogTest, OkWritesTheLoadedPropertiesWithTheStepsTypedIntoTheChosenFolder) {
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

TEST_F(ConvertDialogTest, AStepThatIsNoNumberOrNotAboveZeroStopsOkBeforeTheFieldsAfterIt) {
  LoadHundredVp();
  const fs::path output = Folder("out") / "never.mvg";
  ChooseOutput(output);
  // A field that is no number stops OK before anything is checked; those after it are not read.
  const std::tuple<const char*, const char*, const char*> fields[] = {
      {"abc", "1", "Please enter a number."},
      {"2", "1x", "Please enter a number."},
      {"20", "-0", "The Z step must be greater than 0."}};
  for (const auto& [x, z, message] : fields) {
    EXPECT_EQ(dialog.nxWrite, 10);
    window.messages.clear();
    window.Type(kXStepField, x);
    window.Type(kZStepField, z);
    window.Type(kNxWriteField, "5");
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(window.messages, Strings{message});
  }
  EXPECT_FALSE(fs::exists(output));
}

// A unit that is none of the list's, or whose factor takes a value past the largest float, is
// refused before any question; a Ctrl-Z that cuts a text short is asked about.
TEST_F(ConvertDialogTest, AnUnknownUnitOrAValueBeyondFloatsIsRefusedAndACtrlZCutAsked) {
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

TEST_F(ConvertDialogTest, OutputNameGetsItsExtensionAndKeepsItsFolder) {
  const fs::path out = Folder("out");
  for (const auto& [chosen, kept] :
       {std::pair{"model", "model.mvg"}, {"grid.old", "grid.old"}, {"model.MVG", "model.MVG"}}) {
    ChooseOutput(out / chosen);
    EXPECT_EQ(Texts({kOutputNameText}), Strings{kept});
    EXPECT_EQ(dialog.outputFullPath, (out / kept).string());
  }
  window.CancelFileDialog();
  dialog.OnBrowseOutput();
  EXPECT_EQ(dialog.outputPath, "model.MVG");
}

TEST_F(ConvertDialogTest, AFailedExportIsReportedAndTheDialogStaysOpen) {
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
  EXPECT_EQ(dialog.outputPath, "model.mvg");

  fs::create_directories(out);
  EXPECT_TRUE(dialog.OnOK());
  EXPECT_EQ(fs::file_size(out / "model.mvg"), kGridFileHeaderSize + 400);
}

// The folder before "<separator>*.txt" in a file dialog's initial name.
fs::path StartFolderOf(const FakeDialogWindow::FileDialogCall& call, const std::string& pattern) {
  const std::string& name = call.request.initialFileName;
  EXPECT_GE(name.size(), pattern.size() + 1);
  EXPECT_EQ(name.substr(name.size() - pattern.size() - 1), kPathSeparator + pattern);
  return fs::path(name.substr(0, name.size() - pattern.size() - 1));
}

TEST_F(ConvertDialogTest, EveryFileDialogStartsInTheFolderChosenBefore) {
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

TEST_F(ConvertDialogTest, AFileDroppedOnAPropertysBoxLoadsThereAndOtherDropsAreRefused) {
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

// The picture shows Vp, else the first property loaded, unless one is chosen in its list; the
// part to be written at the X size chosen, as the sizes are typed; the values as the unit in
// its box makes them; axes in m while both steps are numbers above 0.
TEST_F(ConvertDialogTest, ThePictureShowsTheChosenPropertyAsItWillBeWritten) {
  const auto shown = [this] { return pictures.shown.back(); };
  const auto property = [this, &shown] {
    for (const GridProperty& p : kGridProperties) {
      if (shown().values != nullptr && shown().values == File(p.kind).values.data()) return p.name;
    }
    return "none";
  };
  dialog.RedrawPicture();
  EXPECT_STREQ(property(), "none");
  Browse(PropertyKind::kVs, WriteText("in", "vs.txt", Sequence(100, 500)));
  Browse(PropertyKind::kDensity, WriteText("in", "rho.txt", Sequence(100, 2000)));
  EXPECT_STREQ(property(), "density");
  EXPECT_EQ(shown().title, "rho.txt: Q (density), 10 x 10, dx 1 m, dz 1 m");
  LoadHundredVp();
  EXPECT_STREQ(property(), "Vp");
  EXPECT_EQ(window.ComboItems(kPictureCombo), (Strings{"Vp", "density", "Vs"}));
  EXPECT_EQ(window.DisabledControls().count(kPictureCombo), 0u);
  window.SetComboSelection(kPictureCombo, 2);
  dialog.OnPictureSelChange();
  LoadHundredVp();  // a chosen property stays chosen
  EXPECT_STREQ(property(), "Vs");
  EXPECT_EQ(window.GetComboSelection(kPictureCombo), 2);

  window.SetComboSelection(kXSizeCombo, 1);  // 4
  dialog.OnXSizeSelChange();
  EXPECT_EQ((Ints{shown().nx, shown().nz, shown().window.nx, shown().window.nz}),
            (Ints{4, 25, 4, 25}));
  // A typed window shows while it lies within the grid; past it, the one accepted last.
  struct Typed {
    const char *xFrom, *nx, *zFrom, *nz;
    std::int32_t x, z, shownNx, shownNz;
    const char* title;
  };
  const Typed typed[] = {
      {"0", "3", "0", "25", 0, 0, 3, 25, "vs.txt: R (Vs), 3 x 25 of 4 x 25, dx 1 m, dz 1 m"},
      {"1", "3", "20", "5", 1, 20, 3, 5,
       "vs.txt: R (Vs), 3 x 5 from x 1, z 20 of 4 x 25, dx 1 m, dz 1 m"},
      {"2", "3", "0", "0", 0, 0, 4, 25, "vs.txt: R (Vs), 4 x 25, dx 1 m, dz 1 m"},
  };
  for (const Typed& t : typed) {
    window.Type(kXFromField, t.xFrom);
    window.Type(kNxWriteField, t.nx);
    window.Type(kZFromField, t.zFrom);
    window.Type(kNzWriteField, t.nz);
    dialog.RedrawPicture();
    const PictureWindow& drawn = shown().window;
    EXPECT_EQ((Ints{drawn.x, drawn.z, drawn.nx, drawn.nz}), (Ints{t.x, t.z, t.shownNx, t.shownNz}))
        << t.title;
    EXPECT_EQ(shown().title, t.title);
  }
  const std::tuple<const char*, const char*, float, float> steps[] = {
      {"12.5", "5", 12.5f, 5.0f}, {"abc", "5", 0.0f, 0.0f}, {"20", "-1", 0.0f, 0.0f}};
  for (const auto& [x, z, dx, dz] : steps) {
    window.Type(kXStepField, x);
    window.Type(kZStepField, z);
    dialog.RedrawPicture();
    EXPECT_EQ(std::make_pair(shown().dx, shown().dz), std::make_pair(dx, dz)) << x << " " << z;
  }
  EXPECT_EQ(shown().title, "vs.txt: R (Vs), 4 x 25");  // node numbers on the axes

  window.SetComboSelection(kVsUnitsCombo, 2);
  dialog.OnUnitsSelChange(PropertyKind::kVs);
  EXPECT_EQ(std::make_pair(shown().factor, shown().unit), std::make_pair(1000.0f, "m/s"s));
  window.Type(kVsUnitsCombo, "furlongs");
  dialog.RedrawPicture();
  EXPECT_EQ(std::make_pair(shown().factor, shown().unit), std::make_pair(1.0f, "file's units"s));
}

// What mvgtool convert writes for `args`, forced past the findings.
std::string MvgtoolWrites(std::vector<std::string> args, const fs::path& output) {
  args.insert(args.begin(), "convert");
  args.insert(args.end(), {"--force", "-o", output.string()});
  std::ostringstream out, err;
  EXPECT_EQ(RunMvgtool(args, out, err), kExitSuccess) << err.str();
  return ReadBytes(output);
}

// Grids that state their sizes and steps preset the X size and both steps, a step typed staying
// the user's; a grid of other sizes is refused, holes too until filled; the form and the lines
// passed over show for the file loaded last; the file is the one mvgtool writes.
TEST_F(ConvertDialogTest, StatedGridsPresetTheSizesAndStepsAndMustAgree) {
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
  const std::vector<std::string> xSizes = window.ComboItems(kXSizeCombo);
  window.SetComboSelection(
      kXSizeCombo, static_cast<int>(std::find(xSizes.begin(), xSizes.end(), "6") - xSizes.begin()));
  dialog.OnXSizeSelChange();
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_NE(window.messages.back().find(
                "X size 6 contradicts vp.asc: the ESRI ASCII grid header gives nx 4"),
            std::string::npos)
      << window.messages.back();
  EXPECT_FALSE(fs::exists(output));
  window.SetComboSelection(
      kXSizeCombo, static_cast<int>(std::find(xSizes.begin(), xSizes.end(), "4") - xSizes.begin()));
  dialog.OnXSizeSelChange();
  window.AnswerQuestion(true);
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_TRUE(ReadBytes(output) == MvgtoolWrites({"--vp", vp.string(), "--density", rho.string(),
                                                  "--vs", vs.string(), "--fill-holes", "nearest"},
                                                 Folder("reference") / "m.mvg"));
}

// A file stored column by column, its rows from the bottom up: each choice reads the files again,
// proposes the X size again (the lines then give a column's length) and shows the model as it is
// written. Commas that may be decimal commas are refused naming the choice that reads them; a
// choice that a loaded file refuses is undone, every file as it was.
TEST_F(ConvertDialogTest, ReadingChoicesReadTheFilesAgainAndWriteWhatMvgtoolWrites) {
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

TEST_F(ConvertDialogTest, Marmousi2OffersItsTrueWidthAndWritesWhatMvgtoolWritesForTheChoices) {
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

}  // namespace
