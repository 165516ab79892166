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
#include "conversion/PropertyLoad.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/HelpText.h"
#include "gridfile/GridFileReader.h"
#include "gridfile/GridPropertyReader.h"
#include "picture/GridPicture.h"
#include "picture/PngEncoding.h"
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

// What mvgtool writes for the same choices, with the dialog's steps of 1 m unless they are given;
// `printed`, when given, gets the lines its summary prints after the first: what was done to the
// model and the stability report.
std::string MvgtoolBytes(std::vector<std::string> args, const fs::path& output,
                         std::vector<std::string>* printed = nullptr) {
  args.insert(args.begin(), "convert");
  if (std::find(args.begin(), args.end(), "--dx") == args.end()) {
    args.insert(args.end(), {"--dx", "1", "--dz", "1"});
  }
  args.insert(args.end(), {"-o", output.string()});
  std::ostringstream out, err;
  EXPECT_EQ(RunMvgtool(args, out, err), kExitSuccess) << err.str();
  std::istringstream lines(out.str());
  std::string line;
  for (std::getline(lines, line); printed != nullptr && std::getline(lines, line);) {
    printed->push_back(line);
  }
  return Bytes(output);
}

// A question's lines that are not blank, the closing question apart.
std::vector<std::string> Paragraphs(const std::string& question) {
  std::vector<std::string> lines;
  std::istringstream in(question);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  if (!lines.empty()) lines.pop_back();
  return lines;
}

// What the screen shows of a rectangle, as RGB rows from the top.
Canvas ScreenPixels(const RECT& area) {
  Canvas pixels;
  const int width = area.right - area.left, height = area.bottom - area.top;
  pixels.Allocate(width, height, {0, 0, 0});
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* from = static_cast<const std::uint8_t*>(bits) + 4 * width * y;
    std::uint8_t* to = pixels.Row(y);
    for (int x = 0; x < width; ++x, from += 4, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

RECT ClientOnScreen(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

std::vector<std::uint8_t> Bytes(const Canvas& canvas) {
  return {canvas.Pixels(), canvas.Pixels() + 3 * canvas.Width() * canvas.Height()};
}

// The picture of Marmousi-II's Vp at an X size, with steps of 20 m.
GridPictureRequest MarmousiVp(const float* values, std::int32_t nx) {
  GridPictureRequest request;
  request.values = values;
  request.nx = nx;
  request.nz = 87000 / nx;
  request.dx = request.dz = 20;
  request.title = "vp.txt: P (Vp), " + std::to_string(nx) + " x " + std::to_string(request.nz) +
                  ", dx 20 m, dz 20 m";
  request.unit = "m/s";
  return request;
}

// A picture as DrawGridCanvas draws it for the client area of a picture control: at the top left
// corner, white beside and below it.
Canvas DrawnFor(GridPictureRequest request, HWND control) {
  RECT client = {};
  GetClientRect(control, &client);
  request.width = client.right;
  request.height = client.bottom;
  const GridCanvas drawn = DrawGridCanvas(request);
  Canvas expected;
  expected.Allocate(client.right, client.bottom, {255, 255, 255});
  for (int y = 0; y < drawn.canvas.Height(); ++y) {
    std::copy_n(drawn.canvas.Pixels() + 3 * drawn.canvas.Width() * y, 3 * drawn.canvas.Width(),
                expected.Row(y));
  }
  return expected;
}

// Whether the control shows the picture, once it has painted (waited for); else how many of
// its pixels differ.
testing::AssertionResult Shows(HWND control, const Canvas& expected) {
  std::size_t differing = 0;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(20)) {
    const std::vector<std::uint8_t> shown = Bytes(ScreenPixels(ClientOnScreen(control)));
    const std::vector<std::uint8_t> wanted = Bytes(expected);
    if (shown == wanted) return testing::AssertionSuccess();
    differing = 0;
    for (std::size_t i = 0; i < shown.size() && i < wanted.size(); i += 3) {
      differing += !std::equal(&shown[i], &shown[i] + 3, &wanted[i]);
    }
  }
  return testing::AssertionFailure() << differing << " pixels differ";
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
  // Enter (OK), Yes to the question before writing: the file is written and the program ends.
  GridFileInfo WrittenOnEnter() {
    program->Press(VK_RETURN);
    const std::string asked = program->AnswerMessage('Y');
    EXPECT_NE(asked.find("\nWrite the grid file"), std::string::npos) << asked;
    EXPECT_EQ(program->WaitForExit(), 0u);
    return ReadGridFile(output);
  }
  // Whether the control with the focus is `field` or a combo box's edit field.
  bool Focused(int field) {
    HWND focus = program->Focus();
    return focus == GetDlgItem(dialog, field) || GetParent(focus) == GetDlgItem(dialog, field);
  }

  fs::path folder;
  std::string output;
  std::unique_ptr<RunningProgram> program;
  HWND dialog = nullptr;
};

// The model's picture: Marmousi-II's Vp as mvgtool draws it at the picture's size, at the X size
// its lines propose and, chosen, at 250; a click shows it larger in a window of its own, drawn
// for that size. New steps of 40 m and a border typed meanwhile: both pictures and the sizes
// shown are the grid file mvgtool writes for them, which OK then writes. With MVG_SCREENSHOT
// set, the dialog is saved there as a PNG, with the border.
TEST_F(MorvTxtMvgTest, ThePictureAndSizesShowTheModelOkWritesAndEnlargeOnAClick) {
  const std::string vp = Input("marmousi2/vp.txt", "vp.txt");
  dialog = Start();
  Load(kVpBrowseButton, vp);
  Fill(kXStepField, "20");
  Fill(kZStepField, "20");
  const LoadedProperty values = LoadProperty(vp, "vp.txt", 0);
  HWND picture = GetDlgItem(dialog, kModelPicture);
  EXPECT_TRUE(Shows(picture, DrawnFor(MarmousiVp(values.values.data(), 500), picture)));
  EXPECT_EQ(ControlText(dialog, kWrittenSizesText), "File: 500 x 174\n= 87000 nodes\n348296 bytes");
  const std::vector<std::uint8_t> at500 = Bytes(ScreenPixels(ClientOnScreen(picture)));
  Fill(kXSizeCombo, "250");
  EXPECT_TRUE(Shows(picture, DrawnFor(MarmousiVp(values.values.data(), 250), picture)));
  EXPECT_NE(Bytes(ScreenPixels(ClientOnScreen(picture))), at500);

  program->ClickAt(picture, {100, 100});
  HWND enlarged = program->WaitForWindow("Model Picture");
  HWND large = GetDlgItem(enlarged, IDC_ENLARGED_PICTURE);
  RECT shown = {}, small = {};
  GetClientRect(large, &shown);
  GetClientRect(picture, &small);
  EXPECT_GT(shown.right, small.right);
  EXPECT_TRUE(Shows(large, DrawnFor(MarmousiVp(values.values.data(), 250), large)));

  // Typed in the dialog with the enlarged picture open, clicked into as a person does.
  for (const auto& [field, text] :
       {std::pair{kNewXStepField, "40"}, {kNewZStepField, "40"}, {kBorderField, "10,10,0,20"}}) {
    program->Click(dialog, field);
    program->Retype(text);
  }
  const fs::path reference = folder / "mvgtool.mvg";
  MvgtoolBytes({"--vp", vp, "--nx", "250", "--dx", "20", "--dz", "20", "--resample", "40", "40",
                "--pad", "10,10,0,20", "--force"},
               reference);
  const GridPropertyValues written = ReadGridProperty(reference.string(), nullptr);
  ASSERT_EQ((std::vector<std::int32_t>{written.header.nx, written.header.nz}),
            (std::vector<std::int32_t>{145, 194}));
  GridPictureRequest prepared;
  prepared.values = written.values.get();
  prepared.nx = 145;
  prepared.nz = 194;
  prepared.dx = prepared.dz = 40;
  prepared.title = "vp.txt: P (Vp), 145 x 194 from 250 x 348, dx 40 m, dz 40 m";
  prepared.unit = "m/s";
  prepared.model = {10, 0, 135, 174};
  EXPECT_TRUE(Shows(picture, DrawnFor(prepared, picture)));
  EXPECT_EQ(
      ControlText(dialog, kWrittenSizesText),
      "File: 145 x 194\n= 28130 nodes\n" + std::to_string(fs::file_size(reference)) + " bytes");
  if (const char* path = std::getenv("MVG_SCREENSHOT")) {
    RECT frame = {};
    GetWindowRect(dialog, &frame);
    const std::vector<std::uint8_t> png = EncodePng(ScreenPixels(frame));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }
  program->ClickAt(picture, {100, 100});  // the enlarged picture to the front
  EXPECT_TRUE(Shows(large, DrawnFor(prepared, large)));
  program->Press(VK_ESCAPE);
  EXPECT_EQ(program->Count("Model Picture"), 0);
  SaveAs(output);
  EXPECT_EQ(WrittenOnEnter().header.nx, 145);
  EXPECT_TRUE(Bytes(output) == Bytes(reference));
}

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

// A unit typed counts as the entry it names (" KM/S ", "g/cc" for g/cm3), one chosen from the
// list too: the file is the one mvgtool writes for the same choices.
TEST_F(MorvTxtMvgTest, UnitsTypedOrChosenConvert) {
  const std::string vp = Scaled("vp.txt", "vp.txt", 1000);
  const std::string density = Scaled("density.txt", "density.txt", 1000);
  const std::string vs = Scaled("vs.txt", "vs.txt", 1000);
  dialog = Start();
  Load(kVpBrowseButton, vp);
  Load(kDensityBrowseButton, density);
  Load(kVsBrowseButton, vs);
  Fill(kVpUnitsCombo, " KM/S ");
  Fill(kDensityUnitsCombo, "g/cc");
  program->TabTo(dialog, kVsUnitsCombo);
  for (int i = 0; i < 5 && ControlText(dialog, kVsUnitsCombo) != "km/s"; ++i) {
    program->Press(VK_DOWN);
  }
  Fill(kNxWriteField, "100");
  Fill(kNzWriteField, "30");
  SaveAs(output);
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
  const std::string asked = program->AnswerMessage('N');
  EXPECT_EQ(asked.rfind(finding + "\n\nStability for finite-difference modelling", 0), 0u) << asked;
  EXPECT_EQ(asked.substr(asked.size() - 29), "\n\nWrite the grid file anyway?");
  EXPECT_TRUE(program->Running() && IsWindowEnabled(dialog) && !fs::exists(output));
  WrittenOnEnter();
  EXPECT_TRUE(Bytes(output) == MvgtoolBytes({"--vp", vp, "--force"}, folder / "mvgtool.mvg"));
}

// Marmousi-II's Vp as an ESRI grid presets the X size and both steps; written column by column,
// it needs the choice clicked (an X size typed before counts as choosing it, the click proposes
// it again). Each writes the plain file's bytes at 500 x 174, 20 m.
TEST_F(MorvTxtMvgTest, AnEsriGridAndAColumnByColumnFileWriteThePlainFilesBytes) {
  const std::string plain = Bytes(Source("samples/marmousi2/vp.txt"));
  const std::string reference = MvgtoolBytes({"--vp", Source("samples/marmousi2/vp.txt").string(),
                                              "--nx", "500", "--dx", "20", "--dz", "20"},
                                             folder / "reference.mvg");
  std::vector<std::string> values;
  std::istringstream words(plain);
  for (std::string value; words >> value;) values.push_back(value);
  std::string columns;
  for (std::size_t x = 0; x < 500; ++x) {
    for (std::size_t z = 0; z < 174; ++z) columns += values[z * 500 + x] + (z < 173 ? " " : "\n");
  }
  const std::string esri = "ncols 500\nnrows 174\nxllcorner 0\nyllcorner 0\ncellsize 20\n" + plain;

  dialog = Start();
  Load(kVpBrowseButton, Written("vp.asc", esri));
  EXPECT_EQ(ControlText(dialog, kXSizeCombo), "500");
  EXPECT_EQ(ControlText(dialog, kXStepField), "20");
  EXPECT_EQ(ControlText(dialog, kZStepField), "20");
  EXPECT_EQ(ControlText(dialog, kReadingText).rfind("vp.asc: ESRI ASCII grid, ncols 500", 0), 0u);
  SaveAs(output);
  WrittenOnEnter();
  EXPECT_TRUE(Bytes(output) == reference);

  fs::remove(output);
  dialog = Start();
  Load(kVpBrowseButton, Written("vp-columns.txt", columns));
  EXPECT_EQ(ControlText(dialog, kXSizeCombo), "174");
  Fill(kXSizeCombo, "500");
  EXPECT_EQ(ControlText(dialog, kNzInputField), "174");
  program->Click(dialog, kColumnsCheck);
  EXPECT_EQ(ControlText(dialog, kXSizeCombo), "500");
  Fill(kXStepField, "20");
  Fill(kZStepField, "20");
  SaveAs(output);
  WrittenOnEnter();
  EXPECT_TRUE(Bytes(output) == reference);
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

// Steps keep every digit of their 32-bit float across a browse; OK refuses a step not above 0,
// one whose extent is beyond 32-bit floats, a new step not above 0, a border of a side below 0 and
// a way to fill holes that is none, with nothing written, the focus moved to the field refused.
TEST_F(MorvTxtMvgTest, StepsKeepTheirDigitsAndBadStepsAreRefusedPointingAtTheField) {
  const std::string vp = Input("vp.txt", "vp.txt");
  dialog = Start();
  Load(kVpBrowseButton, vp);  // 120 x 40, from the lines
  SaveAs(output);
  const struct {
    int field;
    const char* typed;
    const char* message;
    const char* mended;
  } cases[] = {
      {kXStepField, "0", "The X step must be greater than 0.", "1"},
      {kZStepField, "-2.5", "The Z step must be greater than 0.", "1"},
      {kXStepField, "1e37",
       "The X extent (X size to write - 1) x X step is too large for a grid file.", "1"},
      {kZStepField, "1e37",
       "The Z extent (Z size to write - 1) x Z step is too large for a grid file.", "1"},
      {kNewXStepField, "0", "The new X step must be greater than 0.", ""},
      {kBorderField, "0,0,-1,0", "The border's top side, -1 nodes, must be 0 nodes or more.", ""},
      {kHolesCombo, "zero",
       "\"zero\" is not a way to fill holes: choose none or nearest, or type a number.", "none"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Fill(c.field, c.typed);
    program->TabTo(dialog, kWriteCountField);  // Enter in another field
    EXPECT_EQ(RefusedOnEnter(), c.message);
    EXPECT_TRUE(Focused(c.field));
    program->Retype(c.mended);
  }
  Fill(kXStepField, "12.3456789");
  Fill(kZStepField, "2.5");
  SaveAs(output);
  EXPECT_EQ(ControlText(dialog, kXStepField), "12.345679");
  const GridFileInfo written = WrittenOnEnter();
  EXPECT_EQ(written.header.dx, 12.3456789f);
  EXPECT_EQ(written.header.dz, 2.5f);
}

// A window from node (100, 20), its first nodes typed beside its sizes: one that leaves the grid is
// refused as its field is left and goes back; the file is the one mvgtool writes.
TEST_F(MorvTxtMvgTest, AWindowFromItsFirstNodeWritesWhatMvgtoolWrites) {
  const std::string vp = Input("marmousi2/vp.txt", "vp.txt");
  const std::string density = Input("marmousi2/density.txt", "density.txt");
  const std::string vs = Input("marmousi2/vs.txt", "vs.txt");
  dialog = Start();
  Load(kVpBrowseButton, vp);
  Load(kDensityBrowseButton, density);
  Load(kVsBrowseButton, vs);
  Fill(kNxWriteField, "200");
  Fill(kXFromField, "350");
  program->Press(VK_TAB);
  EXPECT_EQ(program->AnswerMessage(),
            "The window's X nodes 350 to 549 leave the grid, whose last X node is 499.");
  EXPECT_EQ(ControlText(dialog, kXFromField), "0");
  Fill(kXFromField, "100");
  Fill(kNzWriteField, "100");
  Fill(kZFromField, "20");
  SaveAs(output);
  EXPECT_EQ(WrittenOnEnter().header.nx, 200);
  EXPECT_TRUE(Bytes(output) ==
              MvgtoolBytes({"--vp", vp, "--density", density, "--vs", vs, "--x-from", "100",
                            "--z-from", "20", "--nx-write", "200", "--nz-write", "100"},
                           folder / "mvgtool.mvg"));
}

// Density by Gardner's relation from a loaded Vp, chosen in the density's list: OK asks once,
// with the finding (Marmousi-II's lens lies below the sea), the rule and the stability report
// that mvgtool prints; No writes nothing, Yes writes what mvgtool --density gardner writes.
TEST_F(MorvTxtMvgTest, DensityByGardnerIsAskedWithTheStabilityReportAndWritesWhatMvgtoolWrites) {
  const std::string vp = Input("marmousi2/vp.txt", "vp.txt");
  dialog = Start();
  Load(kVpBrowseButton, vp);
  program->TabTo(dialog, kDensitySourceCombo);
  program->Press(VK_DOWN);
  EXPECT_EQ(ControlText(dialog, kDensitySourceCombo), "Gardner's relation");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kDensityBrowseButton)));
  Fill(kXStepField, "20");
  Fill(kZStepField, "20");
  SaveAs(output);
  std::vector<std::string> printed = {
      "48 nodes at or below 1550 m/s lie below the sea (the first at row 54, column 327): not "
      "taken as water."};
  const std::string reference =
      MvgtoolBytes({"--vp", vp, "--density", "gardner", "--dx", "20", "--dz", "20", "--force"},
                   folder / "mvgtool.mvg", &printed);
  program->Press(VK_RETURN);
  const std::string asked = program->AnswerMessage('N');
  EXPECT_EQ(Paragraphs(asked), printed) << asked;
  EXPECT_TRUE(program->Running() && IsWindowEnabled(dialog) && !fs::exists(output));
  EXPECT_EQ(WrittenOnEnter().header.propertyCodes, "PQ");
  EXPECT_TRUE(Bytes(output) == reference);
}

// An output named like an input, here in other letters, is refused and the input stays intact.
TEST_F(MorvTxtMvgTest, OutputThatWouldReplaceAnInputIsRefused) {
  const std::string vp = Input("vp.txt", "vp.txt");
  dialog = Start();
  Load(kVpBrowseButton, vp);
  SaveAs((folder / "VP.TXT").string());
  EXPECT_EQ(RefusedOnEnter(),
            "The grid file would replace the input file vp.txt. Choose another name.");
  EXPECT_TRUE(Bytes(vp) == Bytes(Source("samples/vp.txt")));
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
    program->AnswerMessage('Y');
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
