#include "dialog/ConvertDialogWindow-win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Mvgtool.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/HelpText.h"
#include "folders/FolderMemory.h"
#include "resource.h"
#include "support/ScriptedCommonDialogs.h"
#include "support/ScriptedDialog.h"

namespace fs = std::filesystem;

namespace {

using Dialog = ScriptedDialog<ConvertDialogWindow>;

// A file of the source tree or of the shared data, as an absolute path.
std::string FileIn(const char* variable, const std::string& relative) {
  const char* root = std::getenv(variable);
  return fs::absolute(fs::path(root != nullptr ? root : ".") / relative).string();
}
std::string Sample(const char* name) {
  return FileIn("MVG_SOURCE_DIR", std::string("samples/") + name);
}
std::string Marmousi(const char* name) {
  return FileIn("MVG_SOURCE_DIR",
                std::string("samples/marmousi2/") + name);  // the real 500 x 174 model
}

// A fresh start folder with RUX/ and the three pictures, made current for the test. (Start-up
// without them is tried on the real program, in MorvTxtMvgMainTest.)
class ConvertDialogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = fs::current_path();
    start = fs::temp_directory_path() /
            ("mvg-window-" +
             std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
             std::to_string(GetCurrentProcessId()));
    fs::remove_all(start);
    fs::create_directories(start / "RUX");
    const std::string pictureFolder = FileIn("MVG_SOURCE_DIR", "resources/RUX/");
    pictures.normal.Load(pictureFolder + "easy.bmp");
    pictures.hover.Load(pictureFolder + "easyUnderMouse.bmp");
    pictures.pressed.Load(pictureFolder + "easyPressed.bmp");
    fs::current_path(start);
    memory = std::make_unique<FolderMemory>(folders, InitFolderMemory(folders));
  }
  void TearDown() override {
    std::error_code ignored;
    fs::current_path(previous, ignored);
    fs::remove_all(start, ignored);
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : dialogs.messages) texts.push_back(m.text);
    return texts;
  }

  fs::path previous;
  fs::path start;
  ScriptedCommonDialogs dialogs;
  ProcessFolders folders;
  std::unique_ptr<FolderMemory> memory;
  HelpPictureImages pictures;
};

void Click(HWND dialog, int buttonId) {
  SendMessageA(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

// The user picks a list entry: the combo box notifies its dialog, CB_SETCURSEL alone does not.
void ChooseComboEntry(HWND dialog, int comboId, const std::string& text) {
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

// The visible top-level window that `owner` owns, such as a modal box it opened.
HWND OwnedWindow(HWND owner) {
  struct Search {
    HWND owner;
    HWND found;
  } search{owner, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetWindow(window, GW_OWNER) != s->owner || !IsWindowVisible(window)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

void ClickPicture(HWND dialog) {
  SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, Point(560, 470));
  SendMessageA(dialog, WM_LBUTTONUP, 0, Point(560, 470));
}

std::string Text(HWND dialog, int id) { return ui::WindowText(GetDlgItem(dialog, id)); }

std::vector<std::string> ComboItems(HWND dialog, int id) {
  std::vector<std::string> items;
  HWND combo = GetDlgItem(dialog, id);
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char item[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    items.push_back(item);
  }
  return items;
}

// Types into a field as the user does: the field gets the focus and its text is selected,
// then every character arrives as a key's WM_CHAR.
void Type(HWND dialog, int fieldId, const std::string& text) {
  HWND field = GetDlgItem(dialog, fieldId);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
  SendMessageA(field, EM_SETSEL, 0, -1);
  for (char c : text) SendMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Tab: the focus moves to the next control, so the field left gets EN_KILLFOCUS.
void MoveFocusOn(HWND dialog) { SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE); }

std::string FileBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int Lightness(COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour); }

TEST_F(ConvertDialogWindowTest, InitialisationSetsUpMenuIconsButtonsAndUnitLists) {
  Dialog dialog(dialogs, *memory, pictures);
  dialog.Then([&](auto& d) {
    HMENU menu = GetSystemMenu(d, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), SYSCMD_ABOUT);
    char entry[64] = {};
    GetMenuStringA(menu, count - 1, entry, sizeof entry, MF_BYPOSITION);
    EXPECT_STREQ(entry, "&About MorvTxtMvg...");

    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(d, WM_GETICON, ICON_SMALL, 0)), d.AppIcon());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(d, WM_GETICON, ICON_BIG, 0)), d.AppIcon());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(d, WM_QUERYDRAGICON, 0, 0)), d.AppIcon());

    for (int id : {kOkButton, kCancelButton, kVpBrowseButton, kDensityBrowseButton, kVsBrowseButton,
                   kOutputBrowseButton}) {
      SCOPED_TRACE(id);
      HWND button = GetDlgItem(d, id);
      EXPECT_EQ(GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
      EXPECT_NE(ui::Window::FromHandle(button), nullptr);
    }

    EXPECT_EQ(ComboItems(d, kVsUnitsCombo), (std::vector<std::string>{"m/s", "ft/s"}));
    EXPECT_EQ(ComboItems(d, kDensityUnitsCombo),
              (std::vector<std::string>{"kg/m3", "g/cm3", "lb/ft3"}));
    EXPECT_EQ(Text(d, kDensityUnitsCombo), "kg/m3");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, kVpUnitsCombo)));
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ConvertDialogWindowTest, HelpPictureOpensOneModelessAboutBoxAtATime) {
  Dialog dialog(dialogs, *memory, pictures);
  HWND firstBox = nullptr;
  HWND lastBox = nullptr;
  dialog.Then([&](auto& d) {
    SendMessageA(d, WM_MOUSEMOVE, 0, Point(540, 456));
    EXPECT_EQ(d.Picture().pictureHover, 1);
    ClickPicture(d);
    ASSERT_NE(d.ModelessAbout(), nullptr);
    firstBox = d.ModelessAbout()->GetHandle();
    EXPECT_TRUE(IsWindowVisible(firstBox));
    EXPECT_EQ(GetWindow(firstBox, GW_OWNER), d.GetHandle());
    EXPECT_EQ(Text(firstBox, IDC_HELP_TEXT), WithCrLf(HelpText()));
    EXPECT_EQ(d.Picture().aboutOpen, 1);
    ClickPicture(d);  // opens nothing while the box is there
    EXPECT_EQ(d.ModelessAbout()->GetHandle(), firstBox);
    PostMessageA(firstBox, WM_KEYDOWN, VK_ESCAPE, 1);
  });
  dialog.Then([](auto&) {});  // the box's WM_ABOUT_CLOSED arrives
  dialog.Then([&](auto& d) {
    EXPECT_FALSE(IsWindow(firstBox));
    EXPECT_EQ(d.Picture().aboutOpen, 0);
    EXPECT_EQ(d.ModelessAbout(), nullptr);
    ClickPicture(d);
    ASSERT_NE(d.ModelessAbout(), nullptr);
    PostMessageA(d.ModelessAbout()->GetHandle(), WM_KEYDOWN, VK_RETURN, 1);  // Enter closes too
  });
  dialog.Then([](auto&) {});
  dialog.Then([&](auto& d) {
    EXPECT_EQ(d.Picture().aboutOpen, 0);
    ClickPicture(d);
    ASSERT_NE(d.ModelessAbout(), nullptr);
    lastBox = d.ModelessAbout()->GetHandle();
    Click(d, IDCANCEL);  // the box goes with the dialog
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_FALSE(IsWindow(lastBox));
  EXPECT_EQ(dialog.ModelessAbout(), nullptr);
  EXPECT_EQ(dialog.Picture().aboutOpen, 0);
}

TEST_F(ConvertDialogWindowTest, SystemMenuAboutIsModalToTheDialog) {
  Dialog dialog(dialogs, *memory, pictures);
  bool disabledDuringAbout = false;
  std::string aboutText;
  dialog.Then([](auto& d) { PostMessageA(d, WM_SYSCOMMAND, SYSCMD_ABOUT, 0); });
  dialog.Then([&](auto& d) {  // runs inside the About box's own run
    disabledDuringAbout = IsWindowEnabled(d) == FALSE;
    HWND box = OwnedWindow(d);
    ASSERT_NE(box, nullptr);
    aboutText = Text(box, IDC_HELP_TEXT);
    EXPECT_EQ(d.Picture().aboutOpen, 0);
    PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 1);
  });
  dialog.Then([&](auto& d) {
    EXPECT_TRUE(IsWindowEnabled(d));
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(disabledDuringAbout);
  EXPECT_EQ(aboutText, WithCrLf(HelpText()));
}

// The end-to-end conversion: three grids of the real model in foot and gram units, the
// model's own X size chosen from the list, a window and the steps typed; the file is the one
// mvgtool writes for the same choices.
TEST_F(ConvertDialogWindowTest, TypedConversionWritesWhatMvgtoolWritesForTheSameChoices) {
  ASSERT_TRUE(fs::exists(Marmousi("vp.txt"))) << Marmousi("vp.txt");
  const fs::path output = start / "marmousi.mvg";
  for (const char* name : {"vp.txt", "density.txt", "vs.txt"}) {
    dialogs.AnswerFileDialog(Marmousi(name));
  }
  dialogs.AnswerFileDialog(output.string());
  Dialog dialog(dialogs, *memory, pictures);
  dialog.Then([](auto& d) {
    Click(d, kVpBrowseButton);
    Click(d, kDensityBrowseButton);
    Click(d, kVsBrowseButton);
    EXPECT_EQ(Text(d, kVsNameText), "vs.txt");
    EXPECT_EQ(Text(d, kXSizeCombo), "290");  // the largest divisor up to the square root
    ChooseComboEntry(d, kVpUnitsCombo, "ft/s");
    ChooseComboEntry(d, kDensityUnitsCombo, "g/cm3");
    ChooseComboEntry(d, kVsUnitsCombo, "ft/s");
    ChooseComboEntry(d, kXSizeCombo, "500");
    EXPECT_EQ(Text(d, kNzInputField), "174");
    Type(d, kNxWriteField, "400");
    MoveFocusOn(d);
    Type(d, kNzWriteField, "150");
    MoveFocusOn(d);
    EXPECT_EQ(Text(d, kWriteCountField), "60000");
    Type(d, kXStepField, "12.5");
    Type(d, kZStepField, "6.25");
    Click(d, kOutputBrowseButton);
    EXPECT_EQ(Text(d, kOutputNameText), "marmousi.mvg");
    Click(d, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);       // the run ends with the file written
  EXPECT_EQ(dialogs.messages.size(), 1u);  // Vs above Vp in ft/s: asked, and answered Yes
  EXPECT_EQ(dialogs.UnusedAnswers(), 0u);

  const fs::path expected = start / "mvgtool.mvg";
  std::ostringstream out, err;
  // clang-format off
  const std::vector<std::string> convert = {
      "convert", "--vp", Marmousi("vp.txt"), "--density", Marmousi("density.txt"),
      "--vs", Marmousi("vs.txt"), "--vp-units", "ft/s", "--density-units", "g/cm3",
      "--vs-units", "ft/s", "--nx", "500", "--nx-write", "400", "--nz-write", "150",
      "--dx", "12.5", "--dz", "6.25", "-o", expected.string()};
  // clang-format on
  ASSERT_EQ(RunMvgtool(convert, out, err), kExitSuccess) << err.str();
  const std::string written = FileBytes(output);
  EXPECT_EQ(written.size(), 296u + 400u * 150u * 3u * 4u);
  EXPECT_TRUE(written == FileBytes(expected)) << "the dialog's file differs from mvgtool's";
}

// Each check of OK (Enter in a field acts as OK) stops with its message over the open dialog
// and nothing written; the user mends what it names and goes on in the same run.
TEST_F(ConvertDialogWindowTest, OkChecksStopOneAfterAnotherWithNothingWritten) {
  const fs::path output = start / "model.mvg";
  dialogs.AnswerFileDialog(Sample("vp.txt"));
  dialogs.AnswerFileDialog(output.string());
  std::vector<bool> openAndNothingWritten;
  dialogs.onMessage = [&](const ScriptedCommonDialogs::Message& m) {
    openAndNothingWritten.push_back(IsWindowVisible(m.owner) && !fs::exists(output));
  };
  Dialog dialog(dialogs, *memory, pictures);
  dialog.Then([](auto& d) {
    SetFocus(GetDlgItem(d, kXStepField));
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
  });
  dialog.Then([](auto& d) {
    Click(d, kVpBrowseButton);
    Click(d, IDOK);
  });
  dialog.Then([](auto& d) {
    Click(d, kOutputBrowseButton);
    Type(d, kInputCountField, "4799");
    Click(d, IDOK);
  });
  dialog.Then([](auto& d) {
    Type(d, kInputCountField, "4800");
    Click(d, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"Open At least one input File", "Open Mvg file for Saving",
                                      "Input and given grid sizes are not equal !\n"
                                      "The program is not ready for this case. Sorry. Poka"}));
  EXPECT_EQ(openAndNothingWritten, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(fs::file_size(output), 296u + 4800u * 4u);
}

// A refused density file leaves the loaded Vp grid and the dialog as they were: the name goes
// back to "*.txt", its controls stay disabled, and Vp alone is written afterwards.
TEST_F(ConvertDialogWindowTest, RefusedFileIsNamedAndTheLoadedGridIsKept) {
  const struct {
    const char* name;
    const char* content;
    const char* message;
  } cases[] = {
      {"short.txt", "1500 1600 1700\n1800 1900 2000\n",
       "Sorry, Files has different number of elements.\n"
       "The program does not know how to process this information"},
      {"typo.txt", "2000 2100\n2200 2,3OO 2400\n",
       "typo.txt, line 2, value 3: \"3OO\" is not a number.\nThe file was not loaded."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path refused = start / c.name;
    const fs::path output = start / (std::string(c.name) + ".mvg");
    std::ofstream(refused, std::ios::binary) << c.content;
    ScriptedCommonDialogs answers;
    answers.AnswerFileDialog(Sample("vp.txt"));
    answers.AnswerFileDialog(refused.string());
    answers.AnswerFileDialog(output.string());
    Dialog dialog(answers, *memory, pictures);
    dialog.Then([](auto& d) {
      Click(d, kVpBrowseButton);
      Click(d, kDensityBrowseButton);
      EXPECT_EQ(Text(d, kDensityNameText), "*.txt");
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, kDensityUnitsCombo)));
      EXPECT_EQ(Text(d, kInputCountField), "4800");
      Click(d, kOutputBrowseButton);
      Click(d, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].text, c.message);
    EXPECT_FALSE(dialog.Logic().densityLoaded);
    EXPECT_EQ(fs::file_size(output), 296u + 4800u * 4u);  // Vp alone
  }
}

// A size to write typed above the input size is refused when the field is left: the message
// names both sizes and the field shows its previous value.
TEST_F(ConvertDialogWindowTest, TypedSizeToWriteAboveTheInputIsRefusedAndRestored) {
  const struct {
    int field;
    const char* tooLarge;
    const char* message;
    const char* previous;
  } cases[] = {
      {kNxWriteField, "121", "Size nx=121 to Write could not be greater then nx=120 in input file",
       "120"},
      {kNzWriteField, "41", "Size nz=41 to Write could not be greater then nz=40 in input file",
       "40"},
  };
  dialogs.AnswerFileDialog(Sample("vp.txt"));
  Dialog dialog(dialogs, *memory, pictures);
  dialog.Then([](auto& d) {
    Click(d, kVpBrowseButton);
    ChooseComboEntry(d, kXSizeCombo, "120");
  });
  for (const auto& c : cases) {
    dialog.Then([&](auto& d) {
      SCOPED_TRACE(c.tooLarge);
      Type(d, c.field, c.tooLarge);
      MoveFocusOn(d);
      ASSERT_FALSE(dialogs.messages.empty());
      EXPECT_EQ(dialogs.messages.back().text, c.message);
      EXPECT_EQ(Text(d, c.field), c.previous);
      EXPECT_EQ(Text(d, kWriteCountField), "4800");
    });
  }
  dialog.Then([](auto& d) { Click(d, IDCANCEL); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

// The program started again from its folder opens its file dialogs where the user chose a
// file the time before.
TEST_F(ConvertDialogWindowTest, SecondRunsFileDialogsStartInTheFolderChosenInTheFirst) {
  dialogs.AnswerFileDialog(Sample("vp.txt"));
  {
    Dialog first(dialogs, *memory, pictures);
    first.Then([](auto& d) {
      Click(d, kVpBrowseButton);
      Click(d, IDCANCEL);
    });
    EXPECT_EQ(first.DoModal(), IDCANCEL);
  }
  fs::current_path(start);
  FolderMemory secondMemory(folders, InitFolderMemory(folders));  // as the program starts again
  Dialog second(dialogs, secondMemory, pictures);
  second.Then([](auto& d) {
    Click(d, kDensityBrowseButton);  // cancelled
    Click(d, kOutputBrowseButton);   // cancelled
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(second.DoModal(), IDCANCEL);

  ASSERT_EQ(dialogs.fileDialogs.size(), 3u);
  EXPECT_EQ(dialogs.fileDialogs[0].request.initialFileName, "\\*.txt");  // nothing remembered
  for (std::size_t call : {1u, 2u}) {
    const std::string& initial = dialogs.fileDialogs[call].request.initialFileName;
    const std::size_t folderEnd = initial.rfind('\\');
    ASSERT_NE(folderEnd, std::string::npos) << initial;
    std::error_code error;
    EXPECT_TRUE(fs::equivalent(initial.substr(0, folderEnd),
                               fs::path(Sample("vp.txt")).parent_path(), error))
        << initial;
    EXPECT_EQ(initial.substr(folderEnd), call == 1 ? "\\*.txt" : "\\*.mvg");
  }
}

// OK (kind 4, light at the top) and Cancel (kind 3, light at the left) show the faces they
// generated, as the screen shows them: outside the borders, focus mark and caption, each pixel
// is its face's colour, not the system's plain button colour.
TEST_F(ConvertDialogWindowTest, OkAndCancelShowTheirGeneratedFaces) {
  Dialog dialog(dialogs, *memory, pictures);
  dialog.Then([](auto& d) {
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const struct {
      int id;
      const ShadeButton& button;
      bool lightAtTop;  // else light at the left
    } buttons[] = {{kOkButton, d.OkButton(), true}, {kCancelButton, d.CancelButton(), false}};
    constexpr int kInset = 7;  // past the double border and the focus mark
    constexpr int kBand = 4;
    for (const auto& b : buttons) {
      SCOPED_TRACE(b.id);
      HWND window = GetDlgItem(d, b.id);
      RECT client;
      GetClientRect(window, &client);
      const DibSurface& face =
          b.button.HoverActive() ? b.button.Faces().hoverFace : b.button.Faces().normalFace;
      ASSERT_EQ(client.right, face.Width());
      ASSERT_EQ(client.bottom, face.Height());
      HDC shown = GetDC(window);  // reads back what the screen shows
      int inside = 0, asFace = 0, plain = 0;
      int lightEnd = 0, darkEnd = 0;  // lightness summed over a band at each end
      for (int y = kInset; y < client.bottom - kInset; ++y) {
        for (int x = kInset; x < client.right - kInset; ++x) {
          const COLORREF colour = GetPixel(shown, x, y);
          ++inside;
          asFace += colour == face.PaletteColour(face.PixelAt(x, y));
          plain += colour == GetSysColor(COLOR_BTNFACE);
          const int along = b.lightAtTop ? y : x;
          const int length = b.lightAtTop ? client.bottom : client.right;
          if (along < kInset + kBand) lightEnd += Lightness(colour);
          if (along >= length - kInset - kBand) darkEnd += Lightness(colour);
        }
      }
      ReleaseDC(window, shown);
      EXPECT_GT(asFace, inside * 8 / 10) << asFace << " of " << inside;
      EXPECT_LT(plain, inside / 10);
      EXPECT_GT(lightEnd, darkEnd);
    }
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

}  // namespace
