#include "dialog/ConvertDialogWindow-win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "dialog/ConvertDialogControls.h"
#include "folders/FolderMemory.h"
#include "support/ScriptedCommonDialogs.h"
#include "support/ScriptedDialog.h"

namespace fs = std::filesystem;

namespace {

using Dialog = ScriptedDialog<ConvertDialogWindow>;

// The dialog of the program, without its start-up: the pictures read from the source tree.
class ConvertDialogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* root = std::getenv("MVG_SOURCE_DIR");
    const fs::path folder = fs::absolute(fs::path(root != nullptr ? root : ".") / "resources/RUX");
    pictures.normal.Load((folder / "easy.bmp").string());
    pictures.hover.Load((folder / "easyUnderMouse.bmp").string());
    pictures.pressed.Load((folder / "easyPressed.bmp").string());
  }

  ScriptedCommonDialogs dialogs;
  ProcessFolders folders;
  FolderMemory memory{folders, InitFolderMemory(folders)};  // nothing is browsed
  HelpPictureImages pictures;
};

int Lightness(COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour); }

// OK (kind 4, light at the top) and Cancel (kind 3, light at the left) show the faces they
// generated, as the screen shows them: outside the borders, focus mark and caption, each pixel
// is its face's colour, not the system's plain button colour.
TEST_F(ConvertDialogWindowTest, OkAndCancelShowTheirGeneratedFaces) {
  Dialog dialog(dialogs, memory, pictures);
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
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

}  // namespace
