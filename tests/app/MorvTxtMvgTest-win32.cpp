// MorvTxtMvg.exe started as a process of its own in a fresh start folder and worked as a person
// works it: keys on the focused control, clicks, the system's message boxes and file dialogs.
// Each scenario checks what the person sees and the grid file written, or that nothing was
// written, the inputs are intact and the dialog stays open.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/Mvgtool.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/HelpText.h"
#include "grid/GridFileReader.h"
#include "support/GzipText.h"
#include "support/RunningProgram-win32.h"

namespace fs = std::filesystem;

namespace {

constexpr char kDialogTitle[] = "Conversion Text to Morvelan Mvg";
constexpr char kAboutTitle[] = "About MorvTxtMvg";
constexpr char kMessageTitle[] = "MorvTxtMvg";

fs::path Source(const std::string& relative) {
  const char* root = std::getenv("MVG_SOURCE_DIR");
  return fs::absolute(fs::path(root != nullptr ? root : ".") / relative);
}

std::string Bytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// What mvgtool writes for the same choices, with the dialog's steps of 1 m unless they are given.
std::string MvgtoolBytes(std::vector<std::string> args, const fs::path& output) {
  args.insert(args.begin(), "convert");
  if (std::find(args.begin(), args.end(), "--dx") == args.end()) {
    args.insert(args.end(), {"--dx", "1", "--dz", "1"});
  }
  args.insert(args.end(), {"-o", output.string()});
  std::ostringstream out, err;
  EXPECT_EQ(RunMvgtool(args, out, err), kExitSuccess) << err.str();
  return Bytes(output);
}

bool CentredOn(HWND window, const RECT& area) {
  RECT shown = {};
  GetWindowRect(window, &shown);
  return std::abs((shown.left + shown.right) - (area.left + area.right)) <= 2 &&
         std::abs((shown.top + shown.bottom) - (area.top + area.bottom)) <= 2;
}

// A fresh start folder holding RUX/ with the three pictures; inputs are copied into it.
class MorvTxtMvgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder =
        fs::temp_directory_path() /
        ("mvg-e2e-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) +
         "-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder / "RUX");
    for (const char* name : {"easy.bmp", "easyUnderMouse.bmp", "easyPressed.bmp"}) {
      fs::copy_file(Source("resources/RUX") / name, folder / "RUX" / name);
    }
    output = (folder / "model.mvg").string();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  // A sample grid copied into the folder (or a folder below it): its full path.
  std::string Input(const std::string& sample, const std::string& as) {
    const fs::path path = (folder / as).make_preferred();
    fs::create_directories(path.parent_path());
    fs::copy_file(Source("samples") / sample, path);
    return path.string();
  }
  std::string Written(const std::string& name, const std::string& content) {
    std::ofstream(folder / name, std::ios::binary) << content;
    return (folder / name).string();
  }
  // A sample grid's lines with each value divided by `divisor`: velocities in km/s, densities
  // in g/cm3.
  std::string Scaled(const std::string& sample, const std::string& as, double divisor) {
    std::ifstream in(Source("samples") / sample);
    std::ostringstream scaled;
    for (std::string line; std::getline(in, line);) {
      std::istringstream values(line);
      for (double value; values >> value;) scaled << value / divisor << ' ';
      scaled << '\n';
    }
    return Written(as, scaled.str());
  }

  HWND Start() {
    program = std::make_unique<RunningProgram>(MORVTXTMVG_PATH, folder);
    return program->WaitForWindow(kDialogTitle);
  }
  void Load(int browseButton, const std::string& path) {
    program->Click(dialog, browseButton);
    program->ChooseFile("Open", path);
  }
  void SaveAs(const std::string& path) {
    program->Click(dialog, kOutputBrowseButton);
    program->ChooseFile("Save As", path);
  }
  // The person selects what the field shows before typing: the lose-focus checks rewrite every
  // field, which undoes the selection made by Tab.
  void Fill(int field, const std::string& text) {
    program->TabTo(dialog, field);
    program->Retype(text);
  }
  // The list is in increasing order: Down until the box shows the size.
  void ChooseXSizeByKeyboard(const std::string& size) {
    program->TabTo(dialog, kXSizeCombo);
    for (int i = 0; i < 20 && ControlText(dialog, kXSizeCombo) != size; ++i) {
      program->Press(VK_DOWN);
    }
  }
  // Enter (OK): the one message shown, over the open dialog, with nothing written.
  std::string RefusedOnEnter() {
    program->Press(VK_RETURN);
    const std::string message = program->AnswerMessage();
    EXPECT_EQ(program->Count(kMessageTitle), 0) << "a second message after " << message;
    EXPECT_TRUE(program->Running() && IsWindowVisible(dialog) && IsWindowEnabled(dialog));
    EXPECT_FALSE(fs::exists(output));
    return message;
  }
  // Enter (OK): the file is written and the program ends.
  GridFileInfo WrittenOnEnter() {
    program->Press(VK_RETURN);
    EXPECT_EQ(program->WaitForExit(), 0u);
    return ReadGridFile(output);
  }

  fs::path folder;
  std::string output;
  std::unique_ptr<RunningProgram> program;
  HWND dialog = nullptr;
};

// A picture that is not a bitmap is reported and the dialog shows; a missing one is reported,
// the first of them in the order they are read, and the program ends.
TEST_F(MorvTxtMvgTest, StartUpChecksThePicturesInTheStartFolder) {
  std::ofstream(folder / "RUX/easyPressed.bmp") << "GIF89a";
  program = std::make_unique<RunningProgram>(MORVTXTMVG_PATH, folder);
  EXPECT_EQ(program->AnswerMessage(), "Not Bmp File");
  program->Click(program->WaitForWindow(kDialogTitle), kCancelButton);
  EXPECT_EQ(program->WaitForExit(), 0u);
  const std::pair<const char*, std::string> missing[] = {
      {"RUX/easyUnderMouse.bmp", "easyUnderMouse.bmp"}, {"RUX", "easy.bmp"}};
  for (const auto& [removed, named] : missing) {
    fs::remove_all(folder / removed);
    RunningProgram run(MORVTXTMVG_PATH, folder);
    EXPECT_EQ(run.AnswerMessage(), "Put in RUX directory file " + named);
    EXPECT_EQ(run.WaitForExit(), 0u);
  }
}

// The dialog opens centred on the screen; F1 and the system menu's entry open the help box
// modally, centred on the dialog.
TEST_F(MorvTxtMvgTest, HelpBoxFromF1SystemMenuAndPicture) {
  dialog = Start();
  RECT screen = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
  EXPECT_TRUE(CentredOn(dialog, screen));
  RECT dialogRect = {};
  GetWindowRect(dialog, &dialogRect);
  // Alt+Space opens the system menu; its last entry is ours (Wine's "About Wine" shares "A").
  const struct {
    const char* name;
    UINT key, heldKey;
    std::vector<UINT> thenKeys;
  } openers[] = {{"F1", VK_F1, 0, {}}, {"system menu", VK_SPACE, VK_MENU, {VK_UP, VK_RETURN}}};
  for (const auto& opener : openers) {
    SCOPED_TRACE(opener.name);
    program->Press(opener.key, opener.heldKey);
    for (UINT key : opener.thenKeys) program->Press(key);
    HWND box = program->WaitForWindow(kAboutTitle);
    EXPECT_TRUE(CentredOn(box, dialogRect));
    EXPECT_EQ(ControlText(box, IDC_HELP_TEXT), WithCrLf(HelpText()));
    EXPECT_FALSE(IsWindowEnabled(dialog));
    program->Press(VK_ESCAPE);
    EXPECT_EQ(program->Count(kAboutTitle), 0);
    EXPECT_TRUE(IsWindowEnabled(dialog));
  }
  // The help picture opens one modeless box at a time; Esc or Enter closes it.
  const POINT picture = {560, 470};
  for (UINT closeKey : {VK_ESCAPE, VK_RETURN}) {
    program->ClickAt(dialog, picture);
    program->ClickAt(dialog, picture);
    EXPECT_EQ(program->Count(kAboutTitle), 1);
    EXPECT_TRUE(IsWindowEnabled(dialog));
    program->Press(closeKey);
    EXPECT_EQ(program->Count(kAboutTitle), 0);
  }
  program->ClickAt(dialog, picture);
  program->Click(dialog, kCancelButton);  // the box goes with the dialog
  EXPECT_EQ(program->WaitForExit(), 0u);
}

// Units typed count as the entry they name, ignoring case and blanks, and g/cc as g/cm3; km/s
// comes from the list too. Other text stops OK, and a unit that makes the values implausible is
// asked about: No writes nothing. Then the file that mvgtool writes for the same choices.
TEST_F(MorvTxtMvgTest, UnitsTypedOrChosenConvert) {
  const std::string vp = Scaled("vp.txt", "vp.txt", 1000);
  const std::string density = Scaled("density.txt", "density.txt", 1000);
  const std::string vs = Scaled("vs.txt", "vs.txt", 1000);
  dialog = Start();
  Load(kVpBrowseButton, vp);
  Load(kDensityBrowseButton, density);
  Load(kVsBrowseButton, vs);
  Fill(kVpUnitsCombo, " KM/S ");
  Fill(kDensityUnitsCombo, "furlongs");
  program->TabTo(dialog, kVsUnitsCombo);
  for (int i = 0; i < 5 && ControlText(dialog, kVsUnitsCombo) != "km/s"; ++i) {
    program->Press(VK_DOWN);
  }
  Fill(kNxWriteField, "100");
  Fill(kNzWriteField, "30");
  SaveAs(output);
  EXPECT_EQ(RefusedOnEnter(),
            "\"furlongs\" is not one of the units for density. Choose one from the list.");
  Fill(kDensityUnitsCombo, "KG/M3");
  program->Press(VK_RETURN);
  EXPECT_EQ(program->AnswerMessage('N'),
            "density.txt holds 1.03 to 2.54: that looks like g/cm3, not kg/m3.\n\nWrite the grid "
            "file anyway?");
  EXPECT_TRUE(program->Running() && IsWindowEnabled(dialog) && !fs::exists(output));
  Fill(kDensityUnitsCombo, "g/cc");
  WrittenOnEnter();
  EXPECT_TRUE(Bytes(output) ==
              MvgtoolBytes({"--vp", vp, "--density", density, "--vs", vs, "--vp-units", "km/s",
                            "--density-units", "g/cc", "--vs-units", "km/s", "--nx-write", "100",
                            "--nz-write", "30"},
                           folder / "mvgtool.mvg"));
}

// A file whose lines give no X size, a value missing on line 100, is named as it loads; OK asks
// before writing: No writes nothing, Yes writes what mvgtool writes when forced.
TEST_F(MorvTxtMvgTest, ARaggedFileIsNamedOnLoadingAndAskedAboutOnOk) {
  std::ifstream in(Source("samples/marmousi2/vp.txt"));
  std::string text;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    if (++number == 100) line.erase(line.rfind(' '));
    text += line + '\n';
  }
  const std::string vp = Written("vp.txt", text);
  const std::string finding =
      "vp.txt: 99 lines of 500 values, then line 100 holds 499 values: no X size follows from "
      "these lines; is a value missing or one too many on line 100?";
  dialog = Start();
  Load(kVpBrowseButton, vp);
  EXPECT_EQ(program->AnswerMessage(), finding);
  SaveAs(output);
  program->Press(VK_RETURN);
  EXPECT_EQ(program->AnswerMessage('N'), finding + "\n\nWrite the grid file anyway?");
  EXPECT_TRUE(program->Running() && IsWindowEnabled(dialog) && !fs::exists(output));
  program->Press(VK_RETURN);
  program->AnswerMessage('Y');
  EXPECT_EQ(program->WaitForExit(), 0u);
  EXPECT_TRUE(Bytes(output) == MvgtoolBytes({"--vp", vp, "--force"}, folder / "mvgtool.mvg"));
}

// An X size typed into the box counts as choosing it from the list; other text stops OK.
TEST_F(MorvTxtMvgTest, TypedXSizeCountsAsChoosingIt) {
  const std::string vp = Input("vp.txt", "vp.txt");
  dialog = Start();
  Load(kVpBrowseButton, vp);
  SaveAs(output);
  Fill(kXSizeCombo, "7");
  EXPECT_EQ(RefusedOnEnter(),
            "\"7\" is not one of the X sizes in the list. Choose one from the list.");
  Fill(kXSizeCombo, "60");  // not the 120 its lines propose
  EXPECT_EQ(ControlText(dialog, kNzInputField), "80");
  WrittenOnEnter();
  EXPECT_TRUE(Bytes(output) == MvgtoolBytes({"--vp", vp, "--nx", "60"}, folder / "mvgtool.mvg"));
}

// The X size chosen for the first property stays when a second one is loaded, also after a file
// of another count was refused in between. The grids come gzip-compressed, whatever their names
// say: the file written is the one the plain grids give.
TEST_F(MorvTxtMvgTest, SecondLoadKeepsTheChosenXSize) {
  const fs::path model = Source("samples/marmousi2");
  const std::string vp = Written("vp.txt.gz", GzipOf(Bytes(model / "vp.txt")));
  const std::string density = Written("density.txt", GzipOf(Bytes(model / "density.txt")));
  dialog = Start();
  Load(kVpBrowseButton, vp);
  ChooseXSizeByKeyboard("500");
  EXPECT_EQ(ControlText(dialog, kNzInputField), "174");
  Load(kDensityBrowseButton, Written("short.txt", "1500 1600 1700\n1800 1900 2000\n"));
  const std::string refusal = program->AnswerMessage();
  EXPECT_NE(refusal.find("different number of elements"), std::string::npos) << refusal;
  Load(kDensityBrowseButton, density);
  EXPECT_EQ(ControlText(dialog, kXSizeCombo), "500");
  SaveAs(output);
  WrittenOnEnter();
  EXPECT_TRUE(Bytes(output) == MvgtoolBytes({"--vp", (model / "vp.txt").string(), "--density",
                                             (model / "density.txt").string(), "--nx", "500"},
                                            folder / "mvgtool.mvg"));
}

// OK's checks in the order a person meets them, each with Enter in the field just typed: no
// input, no output, and sizes to write below 1 (no lose-focus check runs then).
TEST_F(MorvTxtMvgTest, OkRefusesWhatCannotBeWrittenAndWritesNothing) {
  const std::string vp = Input("vp.txt", "vp.txt");
  dialog = Start();
  EXPECT_EQ(RefusedOnEnter(), "Open At least one input File");
  Load(kVpBrowseButton, vp);
  EXPECT_EQ(RefusedOnEnter(), "Open Mvg file for Saving");
  SaveAs(output);
  const struct {
    int field;
    const char* typed;
    const char* message;
    const char* mended;
  } cases[] = {
      {kNxWriteField, "0", "Size nx=0 to Write could not be less then 1", "120"},
      {kNzWriteField, "-3", "Size nz=-3 to Write could not be less then 1", "40"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Fill(c.field, c.typed);
    EXPECT_EQ(RefusedOnEnter(), c.message);
    program->Retype(c.mended);
  }
  EXPECT_EQ(WrittenOnEnter().header.nx, 120);
}

// Before anything is loaded the size fields say nothing when left, so Cancel is never lost
// behind a message; once a grid is loaded, a size beyond it is refused as the field is left.
TEST_F(MorvTxtMvgTest, SizeFieldsSpeakOnlyOnceAGridIsLoaded) {
  const std::string vp = Input("vp.txt", "data/vp.txt");
  dialog = Start();
  program->Click(dialog, kVpBrowseButton);
  program->WaitForWindow("Open");
  program->Press(VK_ESCAPE);
  for (int field : {kNxWriteField, kNzWriteField, kWriteCountField}) program->TabTo(dialog, field);
  EXPECT_EQ(program->Count(kMessageTitle), 0);
  Load(kVpBrowseButton, vp);
  Fill(kNxWriteField, "999");
  program->Press(VK_TAB);
  EXPECT_EQ(program->AnswerMessage(),
            "Size nx=999 to Write could not be greater then nx=120 in input file");
  EXPECT_EQ(ControlText(dialog, kNxWriteField), "120");
  program->Click(dialog, kCancelButton);
  EXPECT_EQ(program->WaitForExit(), 0u);
}

// Steps keep every digit of their 32-bit float across a browse; OK refuses a step not above 0
// and one whose extent is beyond 32-bit floats, with nothing written.
TEST_F(MorvTxtMvgTest, StepsKeepTheirDigitsAndBadStepsAreRefused) {
  const std::string vp = Input("vp.txt", "vp.txt");
  dialog = Start();
  Load(kVpBrowseButton, vp);  // 120 x 40, from the lines
  SaveAs(output);
  const struct {
    int field;
    const char* typed;
    const char* message;
  } cases[] = {
      {kXStepField, "0", "The X step must be greater than 0."},
      {kZStepField, "-2.5", "The Z step must be greater than 0."},
      {kXStepField, "1e37",
       "The X extent (X size to write - 1) x X step is too large for a grid file."},
      {kZStepField, "1e37",
       "The Z extent (Z size to write - 1) x Z step is too large for a grid file."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Fill(c.field, c.typed);
    EXPECT_EQ(RefusedOnEnter(), c.message);
    program->Retype("1");
  }
  Fill(kXStepField, "12.3456789");
  Fill(kZStepField, "2.5");
  SaveAs(output);
  EXPECT_EQ(ControlText(dialog, kXStepField), "12.345679");
  const GridFileInfo written = WrittenOnEnter();
  EXPECT_EQ(written.header.dx, 12.3456789f);
  EXPECT_EQ(written.header.dz, 2.5f);
}

// An output named like an input, however it is spelt, is refused and the input stays intact.
TEST_F(MorvTxtMvgTest, OutputThatWouldReplaceAnInputIsRefused) {
  const std::string vp = Input("vp.txt", "vp.txt");
  fs::create_directory(folder / "sub");
  dialog = Start();
  Load(kVpBrowseButton, vp);
  for (const fs::path& same : {folder / "vp.txt", folder / "VP.TXT", folder / "sub\\..\\vp.txt"}) {
    SCOPED_TRACE(same.string());
    SaveAs(same.string());
    EXPECT_EQ(RefusedOnEnter(),
              "The grid file would replace the input file vp.txt. Choose another name.");
    EXPECT_TRUE(Bytes(vp) == Bytes(Source("samples/vp.txt")));
  }
}

// Folders named in any language: the Marmousi-II model read from, and written into, a folder
// named in Cyrillic and one named in Chinese, is the file written from an ASCII folder; the next
// run browses there again, and mvgtool.exe names the file as it is.
TEST_F(MorvTxtMvgTest, FoldersNamedInAnyLanguageOpenAndAreRemembered) {
  const fs::path model = Source("samples/marmousi2");
  const std::string reference = MvgtoolBytes(
      {"--vp", (model / "vp.txt").string(), "--density", (model / "density.txt").string(), "--vs",
       (model / "vs.txt").string(), "--nx", "500"},
      folder / "reference.mvg");
  for (const char* name : {u8"\u041c\u043e\u0434\u0435\u043b\u0438", u8"\u6a21\u578b"}) {
    const fs::path place = folder / fs::u8path(name);
    fs::create_directories(place);
    for (const char* file : {"vp.txt", "density.txt", "vs.txt"}) {
      fs::copy_file(model / file, place / file);
    }
    dialog = Start();
    Load(kVpBrowseButton, (place / "vp.txt").u8string());
    program->Click(dialog, kCancelButton);
    EXPECT_EQ(program->WaitForExit(), 0u);
    dialog = Start();  // the folder memory opens the file dialogs in that folder
    Load(kVpBrowseButton, "vp.txt");
    Load(kDensityBrowseButton, "density.txt");
    Load(kVsBrowseButton, "vs.txt");
    ChooseXSizeByKeyboard("500");
    SaveAs("model.mvg");
    program->Press(VK_RETURN);
    EXPECT_EQ(program->WaitForExit(), 0u);
    EXPECT_TRUE(Bytes(place / "model.mvg") == reference) << name;

    // cmd.exe /c strips the outer quotes of the whole line, hence the extra pair.
    const fs::path printed = folder / "printed.txt";
    _wsystem((L"\"\"" + fs::path(MVGTOOL_PATH).make_preferred().wstring() + L"\" info \"" +
              (place / "model.mvg").wstring() + L"\" >\"" + printed.wstring() + L"\"\"")
                 .c_str());
    EXPECT_EQ(Bytes(printed).rfind((place / "model.mvg").u8string() + ": grid file", 0), 0u)
        << Bytes(printed);
  }
}

}  // namespace
