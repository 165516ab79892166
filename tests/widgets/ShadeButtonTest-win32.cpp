#include "widgets/ShadeButton.h"

#include <gtest/gtest.h>

#include <vector>

#include "resource.h"
#include "support/PaintCanvas.h"

namespace {

int clicks = 0;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM && ui::Window::ReflectDrawItem(lParam)) return TRUE;
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++clicks;
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateButton(HWND parent, const char* text, int width, int height) {
  HWND button = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE, 20, 20, width, height,
                                parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(CrispFont()), FALSE);
  return button;
}

// What the button paints in a given item state, 90 pixels a row.
std::vector<COLORREF> Look(ShadeButton& button, UINT itemState) {
  PaintCanvas canvas(90, 35);
  DRAWITEMSTRUCT item = {ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, itemState, button, canvas.dc, {}, 0};
  GetClientRect(button, &item.rcItem);
  button.DrawItem(&item);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) pixels.push_back(canvas.At(x, y));
  }
  return pixels;
}

int Lightness(const std::vector<COLORREF>& pixels) {
  int sum = 0;
  for (COLORREF c : pixels) sum += GetRValue(c) + GetGValue(c) + GetBValue(c);
  return sum;
}

bool Pushed(HWND button) { return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

// The cursor goes to a point of the button and the button hears of it, as from the mouse.
void MoveMouse(HWND button, int x, int y, WPARAM keys = MK_LBUTTON) {
  POINT screen = {x, y};
  ClientToScreen(button, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(button, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

// The dialog's OK button (90 x 35, generated faces) on a visible window.
class ShadeButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.lpszClassName = "ShadeButtonTestParent";
    RegisterClassA(&windowClass);
    parent = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE,
                             100, 100, 200, 200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(parent);
    SetCursorPos(0, 0);  // away from the button, so no stray move starts hover
    ASSERT_TRUE(ok.Subclass(CreateButton(parent, "OK", 90, 35)));
    ok.GenerateFaces(VerticalCurve, 8, 20, 5, RGB(55, 55, 255));
    clicks = 0;
  }
  void TearDown() override { DestroyWindow(parent); }

  void Press() {
    MoveMouse(ok, 45, 17, 0);
    SendMessageA(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 17));
  }
  void Release() { SendMessageA(ok, WM_LBUTTONUP, 0, MAKELPARAM(45, 17)); }

  HWND parent = nullptr;
  ShadeButton ok;
};

TEST_F(ShadeButtonTest, ClickingGivesOneClickPerPressReleasedOverTheButton) {
  Press();
  EXPECT_FALSE(ok.HoverActive());  // the press ends the hover the move started
  EXPECT_TRUE(Pushed(ok));
  Release();
  EXPECT_EQ(clicks, 1);
  SendMessageA(ok, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(45, 17));  // the second press
  Release();
  EXPECT_EQ(clicks, 2);

  // The system's button follows the mouse dragged off and back; ours also checks the cursor
  // when it paints while held, before any move arrives.
  Press();
  SetCursorPos(0, 0);
  RedrawWindow(ok, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_FALSE(Pushed(ok));
  // Losing the focus while held lets go of the mouse: the release clicks nothing.
  MoveMouse(ok, 45, 17);
  ASSERT_EQ(GetCapture(), ok.GetHandle());
  SetFocus(parent);
  EXPECT_EQ(GetCapture(), nullptr);
  Release();
  EXPECT_EQ(clicks, 2);
}

TEST_F(ShadeButtonTest, NormalHoverPushedDisabledDefaultAndFocusedLookDifferent) {
  const auto normal = Look(ok, 0);
  const std::vector<std::vector<COLORREF>> looks = {normal, Look(ok, ODS_SELECTED),
                                                    Look(ok, ODS_DISABLED), Look(ok, ODS_DEFAULT),
                                                    Look(ok, ODS_FOCUS)};
  for (size_t i = 0; i < looks.size(); ++i) {
    for (size_t j = 0; j < i; ++j) EXPECT_NE(looks[i], looks[j]) << i << " and " << j;
  }
  EXPECT_GT(Lightness(looks[1]), Lightness(normal));  // pushed shows the lighter face
  // The face painted the right way up: light at the top, dark at the bottom.
  const DibSurface& face = ok.Faces().normalFace;
  EXPECT_EQ(normal[3 * 90 + 10], face.PaletteColour(face.PixelAt(10, 3)));
  EXPECT_EQ(normal[31 * 90 + 80], face.PaletteColour(face.PixelAt(80, 31)));

  // Hover lightens the face until the mouse leaves: leave tracking tells the button through
  // the queue.
  MoveMouse(ok, 45, 17, 0);
  const auto hover = Look(ok, 0);
  EXPECT_GT(Lightness(hover), Lightness(normal));
  EXPECT_NE(hover, looks[1]);
  SetCursorPos(0, 0);
  MSG message;
  for (int i = 0; i < 300 && ok.HoverActive(); ++i) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  EXPECT_EQ(Look(ok, 0), normal);
}

// The dialog's browse buttons: 34 x 31, flat, the program's icon in the middle and no room
// for a caption.
TEST_F(ShadeButtonTest, FlatBrowseButtonShowsItsIconABorderUnderTheMouseAndMovesWhenPushed) {
  ShadeButton browse;
  ASSERT_TRUE(browse.Subclass(CreateButton(parent, "", 34, 31)));
  browse.SetFlatStyle(true);
  const auto plain = Look(browse, 0);
  ASSERT_TRUE(browse.AssignIcon(IDI_OPEN, BS_CENTER));
  const auto idle = Look(browse, 0);
  EXPECT_NE(idle, plain);
  EXPECT_EQ(idle[0], GetSysColor(COLOR_BTNFACE));  // no border
  SetWindowTextA(browse, "Browse");
  EXPECT_EQ(Look(browse, 0), idle);
  const auto pushed = Look(browse, ODS_SELECTED);
  for (int y = 1; y < 29; ++y) {
    for (int x = 1; x < 32; ++x) ASSERT_EQ(pushed[(y + 1) * 90 + x + 1], idle[y * 90 + x]);
  }
  MoveMouse(browse, 17, 15, 0);
  EXPECT_EQ(Look(browse, 0)[0], GetSysColor(COLOR_BTNHIGHLIGHT));
}

}  // namespace
