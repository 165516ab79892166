#include "dialog/ConvertDialogWindow-win32.h"

#include <gtest/gtest.h>

#include "dialog/ConvertDialogControls.h"
#include "folders/FolderMemory.h"
#include "support/ScriptedCommonDialogs.h"
#include "support/ScriptedDialog.h"

namespace {

int Lightness(COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour); }

// OK (light at the top) and Cancel (light at the left) show their shaded faces on the screen:
// inside the border, the light end is far lighter than the dark end, where the system's plain
// face, or a shade running the other way, is alike at both.
TEST(ConvertDialogWindowTest, OkAndCancelShowTheirShadedFaces) {
  ScriptedCommonDialogs dialogs;
  ProcessFolders folders;
  FolderMemory memory{folders, InitFolderMemory(folders)};  // nothing is browsed
  HelpPictureImages pictures;
  ScriptedDialog<ConvertDialogWindow> dialog(dialogs, memory, pictures);
  dialog.Then([](auto& d) {
    for (int id : {kOkButton, kCancelButton}) {
      HWND button = GetDlgItem(d, id);
      RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      RECT area;
      GetClientRect(button, &area);
      const POINT dark = id == kOkButton ? POINT{5, area.bottom - 6} : POINT{area.right - 6, 5};
      HDC dc = GetDC(button);  // what the screen shows
      EXPECT_GT(Lightness(GetPixel(dc, 5, 5)), Lightness(GetPixel(dc, dark.x, dark.y)) + 50) << id;
      ReleaseDC(button, dc);
    }
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

}  // namespace
