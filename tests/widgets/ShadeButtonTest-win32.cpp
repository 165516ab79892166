#include "widgets/ShadeButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resource.h"
#include "widgets/PaintCanvas.h"

namespace {

// ---- A visible test window holding real button controls ------------------------------

std::map<int, int>& Clicks() {
  static std::map<int, int> clicks;
  return clicks;
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM && ui::Window::ReflectDrawItem(lParam)) return TRUE;
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++Clicks()[LOWORD(wParam)];
  return DefWindowProcA(window, message, wParam, lParam);
}

constexpr POINT kParentAt = {100, 100};

HWND CreateParent() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = ParentProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = "ShadeButtonTestParent";
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  // A popup has no frame, so client and screen coordinates differ by its position only.
  HWND parent = CreateWindowExA(WS_EX_TOPMOST, "ShadeButtonTestParent", "test",
                                WS_POPUP | WS_VISIBLE, kParentAt.x, kParentAt.y, 400, 200, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(parent);
  return parent;
}

HWND CreateButton(HWND parent, int id, const char* text, RECT at, DWORD style = BS_PUSHBUTTON) {
  HWND button = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style,
                                at.left, at.top, at.right - at.left, at.bottom - at.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(CrispFont()), FALSE);
  return button;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// ---- Reading back painted pixels -----------------------------------------------------

// What the control paints for its own current state: it asks its parent to draw the
// item into the given context, which reflects to the ShadeButton.
void PrintButton(HWND button, PaintCanvas& canvas) {
  SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
}

// DrawItem on its own, with a chosen item state.
void DrawButton(ShadeButton& button, UINT itemState, PaintCanvas& canvas) {
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = itemState;
  item.hwndItem = button;
  item.hDC = canvas.dc;
  GetClientRect(button, &item.rcItem);
  button.DrawItem(&item);
}

// The colour a face shows at a pixel.
COLORREF FaceColour(const DibSurface& face, int x, int y) {
  return face.PaletteColour(face.PixelAt(x, y));
}

int Brightness(COLORREF colour) {
  return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
}

// ---- The fixture: three buttons on a visible window ---------------------------------

constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kBrowseId = 1016;
constexpr RECT kOkAt = {20, 20, 110, 55};
constexpr RECT kCancelAt = {130, 20, 220, 55};
constexpr RECT kBrowseAt = {240, 20, 274, 51};  // 34 x 31

class ShadeButtonTest : public ::testing::Test {
 protected:
  // One window for all tests: showing and hiding a top-level window under X is slow.
  static void SetUpTestSuite() { parent = CreateParent(); }
  static void TearDownTestSuite() {
    DestroyWindow(parent);
    parent = nullptr;
  }

  void SetUp() override {
    Clicks().clear();
    SetCursorPos(0, 0);  // away from every button, so no stray move starts hover
    ASSERT_NE(parent, nullptr);
    ASSERT_TRUE(ok.Subclass(CreateButton(parent, kOkId, "OK", kOkAt, BS_DEFPUSHBUTTON)));
    ASSERT_TRUE(cancel.Subclass(CreateButton(parent, kCancelId, "Cancel", kCancelAt)));
    ASSERT_TRUE(browse.Subclass(CreateButton(parent, kBrowseId, "", kBrowseAt)));
    PumpMessages();
  }
  void TearDown() override {
    ReleaseCapture();
    for (HWND button : {ok.GetHandle(), cancel.GetHandle(), browse.GetHandle()}) {
      DestroyWindow(button);
    }
    PumpMessages();
  }

  // Faces from a fresh generator, and the same faces computed on their own.
  void GenerateOkFaces() {
    ShadeRandom random;
    ok.GenerateFaces(VerticalCurve, 8, 20, 5, RGB(55, 55, 255), random);
    ShadeRandom same;
    const ButtonColours colours = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
                                   GetSysColor(COLOR_BTNHIGHLIGHT)};
    GenerateShadeFaces(kOkAt.right - kOkAt.left, kOkAt.bottom - kOkAt.top, 4, colours,
                       {VerticalCurve, 8, 20, 5, RGB(55, 55, 255)}, same, expected);
  }

  // Screen point of a button's client point.
  static POINT OnScreen(HWND button, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(button, &point);
    return point;
  }

  // The cursor goes there and the button hears of it, as when the user moves the mouse.
  static void MoveMouse(HWND button, int x, int y, WPARAM keys = 0) {
    const POINT screen = OnScreen(button, x, y);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(button, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
  }
  static void Press(HWND button, int x, int y) {
    MoveMouse(button, x, y);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  }
  static void Release(HWND button, int x, int y) {
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  static HWND parent;
  ShadeButton ok;
  ShadeButton cancel;
  ShadeButton browse;
  ShadeFaces expected;
};

HWND ShadeButtonTest::parent = nullptr;

// ---- Set-up ----------------------------------------------------------------------------

TEST_F(ShadeButtonTest, EraseBackgroundPaintsNothing) {
  PaintCanvas canvas(90, 35);
  EXPECT_NE(SendMessageA(ok, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc), 0), 0);
  EXPECT_EQ(canvas.PointsOf(PaintCanvas::kUnpainted, 0).size(), 90u * 35u);
}

TEST_F(ShadeButtonTest, ButtonsGeneratedOneAfterTheOtherGetDifferentGrain) {
  ok.GenerateFaces(HorizontalRamp, 8, 20, 5, RGB(55, 55, 255));
  cancel.GenerateFaces(HorizontalRamp, 8, 20, 5, RGB(55, 55, 255));  // same size
  const DibSurface& first = ok.Faces().normalFace;
  const DibSurface& second = cancel.Faces().normalFace;
  ASSERT_EQ(first.BlockSize(), second.BlockSize());
  EXPECT_FALSE(std::equal(first.Block(), first.Block() + first.BlockSize(), second.Block()));
}

// ---- Faces in each state -----------------------------------------------------------------

TEST_F(ShadeButtonTest, NormalAndDisabledShowTheNormalFaceHoverAndPressedTheLighterOne) {
  SetWindowTextA(ok, "");
  GenerateOkFaces();
  PaintCanvas normal(90, 35), disabled(90, 35), hover(90, 35), pressed(90, 35);
  PrintButton(ok, normal);
  EnableWindow(ok, FALSE);
  PrintButton(ok, disabled);
  EnableWindow(ok, TRUE);
  MoveMouse(ok, 45, 17);
  ASSERT_TRUE(ok.HoverActive());
  PrintButton(ok, hover);
  SendMessageA(ok, BM_SETSTATE, TRUE, 0);
  PrintButton(ok, pressed);

  for (int y = 2; y < 32; ++y) {
    for (int x = 2; x < 87; ++x) {
      ASSERT_EQ(normal.At(x, y), FaceColour(expected.normalFace, x, y)) << x << "," << y;
      ASSERT_EQ(disabled.At(x, y), normal.At(x, y)) << x << "," << y;
      ASSERT_EQ(hover.At(x, y), FaceColour(expected.hoverFace, x, y)) << x << "," << y;
      ASSERT_EQ(pressed.At(x + 1, y + 1), hover.At(x, y)) << x << "," << y;  // one pixel off
      ASSERT_GE(Brightness(hover.At(x, y)), Brightness(normal.At(x, y))) << x << "," << y;
    }
  }
  EXPECT_GT(Brightness(hover.At(45, 17)), Brightness(normal.At(45, 17)));
}

TEST_F(ShadeButtonTest, PushedCaptionMovesOnePixelRightAndDown) {
  PaintCanvas normal(90, 35);
  DrawButton(ok, 0, normal);
  PaintCanvas pushed(90, 35);
  DrawButton(ok, ODS_SELECTED, pushed);
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const auto before = normal.PointsOf(text, 3);
  ASSERT_FALSE(before.empty());
  std::set<std::pair<int, int>> moved;
  for (const auto& point : before) moved.insert({point.first + 1, point.second + 1});
  EXPECT_EQ(pushed.PointsOf(text, 3), moved);
}

TEST_F(ShadeButtonTest, WithoutFacesEveryStateFillsWithTheFaceColourAndDrawsNoFocusMark) {
  SetWindowTextA(ok, "");
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (UINT state : {0u, UINT{ODS_SELECTED}, UINT{ODS_DISABLED}, UINT{ODS_FOCUS}}) {
    PaintCanvas canvas(90, 35);
    DrawButton(ok, state, canvas);
    EXPECT_EQ(canvas.PointsOf(face, 3).size(), 84u * 29u) << state;
  }
}

// ---- Borders ----------------------------------------------------------------------------

TEST_F(ShadeButtonTest, FlatButtonShowsNoBorderUntilTheMouseIsOverIt) {
  cancel.SetFlatStyle(true);
  SetWindowTextA(cancel, "");
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);

  PaintCanvas idle(90, 35);
  PrintButton(cancel, idle);
  EXPECT_EQ(idle.PointsOf(face, 0).size(), 90u * 35u);

  MoveMouse(cancel, 45, 17);
  ASSERT_TRUE(cancel.HoverActive());
  PaintCanvas hover(90, 35);
  PrintButton(cancel, hover);
  for (int x = 0; x < 89; ++x) EXPECT_EQ(hover.At(x, 0), light) << x;
  for (int y = 0; y < 34; ++y) EXPECT_EQ(hover.At(0, y), light) << y;
  for (int x = 0; x < 90; ++x) EXPECT_EQ(hover.At(x, 34), shadow) << x;
  for (int y = 0; y < 35; ++y) EXPECT_EQ(hover.At(89, y), shadow) << y;
  EXPECT_EQ(hover.At(1, 1), face);  // one pixel wide

  PaintCanvas pushed(90, 35);
  DrawButton(cancel, ODS_SELECTED, pushed);
  EXPECT_EQ(pushed.At(10, 0), shadow);
  EXPECT_EQ(pushed.At(0, 10), shadow);
  EXPECT_EQ(pushed.At(10, 34), light);
  EXPECT_EQ(pushed.At(89, 10), light);
}

TEST_F(ShadeButtonTest, DefaultButtonHasASunkenOuterAndARaisedInnerEdge) {
  SetWindowTextA(cancel, "");
  PaintCanvas plain(90, 35);
  DrawButton(cancel, 0, plain);
  PaintCanvas byDefault(90, 35);
  DrawButton(cancel, ODS_DEFAULT, byDefault);

  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  // Raised alone: light outside, dark inside at the bottom right.
  EXPECT_EQ(plain.At(1, 17), light);
  EXPECT_EQ(plain.At(2, 17), face);
  EXPECT_EQ(plain.At(88, 17), shadow);
  // Sunken outside: shadow at the top left, highlight at the bottom right ...
  EXPECT_EQ(byDefault.At(0, 17), shadow);
  EXPECT_EQ(byDefault.At(45, 0), shadow);
  EXPECT_EQ(byDefault.At(89, 17), light);
  EXPECT_EQ(byDefault.At(45, 34), light);
  // ... and the raised edge one pixel in.
  EXPECT_EQ(byDefault.At(2, 17), light);
  EXPECT_EQ(byDefault.At(3, 17), face);
  EXPECT_EQ(byDefault.At(87, 17), shadow);
}

// ---- Focus mark ----------------------------------------------------------------------------

TEST_F(ShadeButtonTest, FocusMarkIsADottedFrameInsetFromTheEdges) {
  SetWindowTextA(ok, "");
  GenerateOkFaces();
  SetFocus(ok);
  ASSERT_EQ(GetFocus(), ok.GetHandle());
  PaintCanvas canvas(90, 35);
  PrintButton(ok, canvas);

  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  // Top and bottom lines: x = 5 to 85 at y = 4 and y = 31, starting with shadow.
  for (int y : {4, 31}) {
    for (int x = 5; x <= 85; ++x) {
      EXPECT_EQ(canvas.At(x, y), (x - 5) % 2 == 0 ? shadow : light) << x << "," << y;
    }
  }
  // Left and right lines: y = 5 to 31 at x = 4 and x = 86, alternating.
  for (int x : {4, 86}) {
    for (int y = 6; y <= 31; ++y) {
      EXPECT_NE(canvas.At(x, y), canvas.At(x, y - 1)) << x << "," << y;
      EXPECT_TRUE(canvas.At(x, y) == shadow || canvas.At(x, y) == light) << x << "," << y;
    }
  }
  // Outside the frame the face shows.
  EXPECT_EQ(canvas.At(3, 10), FaceColour(expected.normalFace, 3, 10));
  EXPECT_EQ(canvas.At(10, 3), FaceColour(expected.normalFace, 10, 3));

  // The default button's mark sits one pixel further in.
  PaintCanvas byDefault(90, 35);
  DrawButton(ok, ODS_FOCUS | ODS_DEFAULT, byDefault);
  EXPECT_EQ(byDefault.At(6, 5), shadow);
  EXPECT_EQ(byDefault.At(6, 4), FaceColour(expected.normalFace, 6, 4));
}

// ---- Captions ------------------------------------------------------------------------------

TEST_F(ShadeButtonTest, DisabledCaptionIsEmbossed) {
  SetWindowTextA(cancel, "Cancel");
  EnableWindow(cancel, FALSE);
  PaintCanvas canvas(90, 35);
  PrintButton(cancel, canvas);
  const auto grey = canvas.PointsOf(GetSysColor(COLOR_GRAYTEXT), 3);
  const auto light = canvas.PointsOf(GetSysColor(COLOR_BTNHIGHLIGHT), 3);
  ASSERT_FALSE(grey.empty());
  ASSERT_FALSE(light.empty());
  EXPECT_TRUE(canvas.PointsOf(GetSysColor(COLOR_BTNTEXT), 3).empty());
  // The grey caption lies one pixel up and left of the highlight one, which shows below
  // and right of it.
  auto maxOf = [](const std::set<std::pair<int, int>>& points, bool second) {
    int best = -1;
    for (const auto& point : points) best = std::max(best, second ? point.second : point.first);
    return best;
  };
  EXPECT_EQ(maxOf(light, false), maxOf(grey, false) + 1);
  EXPECT_EQ(maxOf(light, true), maxOf(grey, true) + 1);
  // Wherever the grey caption does not cover it, the highlight one shows one pixel further.
  for (const auto& point : grey) {
    const std::pair<int, int> below = {point.first + 1, point.second + 1};
    EXPECT_TRUE(light.count(below) == 1 || grey.count(below) == 1)
        << below.first << "," << below.second;
  }
}

// ---- Icons ------------------------------------------------------------------------------------

// A 32 x 32 icon of one solid colour.
HICON CreateSolidIcon(COLORREF colour) {
  const std::vector<BYTE> opaque(32 * 32 / 8, 0);
  const std::vector<DWORD> pixels(
      32 * 32, DWORD{GetRValue(colour)} << 16 | GetGValue(colour) << 8 | GetBValue(colour));
  return CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 32, opaque.data(),
                    reinterpret_cast<const BYTE*>(pixels.data()));
}

TEST_F(ShadeButtonTest, CentredIconOnA34By31ButtonSitsAtTheTopAndLeavesNoCaption) {
  HICON icon = CreateSolidIcon(RGB(255, 0, 0));
  ASSERT_NE(icon, nullptr);
  SetWindowTextA(browse, "X");
  browse.SetFlatStyle(true);  // as the dialog's browse buttons: no border to cover the icon
  ASSERT_TRUE(browse.AssignIcon(icon, BS_CENTER));
  const RECT expectedRect = {1, 0, 33, 32};
  EXPECT_TRUE(EqualRect(&browse.IconRect(), &expectedRect));
  EXPECT_EQ(browse.IconPlacement(), static_cast<unsigned>(BS_CENTER));

  PaintCanvas canvas(34, 31);
  PrintButton(browse, canvas);
  EXPECT_EQ(canvas.At(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(17, 28), RGB(255, 0, 0));
  // The caption's rectangle runs from y = 32 down to y = 26: nothing of it shows.
  EXPECT_TRUE(canvas.PointsOf(GetSysColor(COLOR_BTNTEXT), 0).empty());
  // Pushed, the icon moves one pixel right and down.
  PaintCanvas pushed(34, 31);
  DrawButton(browse, ODS_SELECTED, pushed);
  EXPECT_EQ(canvas.At(1, 10), RGB(255, 0, 0));
  EXPECT_EQ(pushed.At(1, 10), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(pushed.At(2, 10), RGB(255, 0, 0));
  DestroyIcon(icon);
}

TEST_F(ShadeButtonTest, IconPlacementsFollowTheHotSpotAndTheInsetAndIconsLoadByResourceId) {
  HICON icon = CreateSolidIcon(RGB(0, 0, 255));
  ASSERT_TRUE(ok.AssignIcon(icon, BS_LEFT));  // OK is 90 x 35, middle line 17
  RECT left = {4, 1, 36, 33};
  EXPECT_TRUE(EqualRect(&ok.IconRect(), &left));
  ASSERT_TRUE(ok.AssignIcon(icon, BS_RIGHT));
  RECT right = {54, 1, 86, 33};
  EXPECT_TRUE(EqualRect(&ok.IconRect(), &right));
  ASSERT_TRUE(ok.AssignIcon(icon, 0x999));  // anything else is centred
  EXPECT_EQ(ok.IconPlacement(), static_cast<unsigned>(BS_CENTER));
  RECT centre = {29, 0, 61, 32};
  EXPECT_TRUE(EqualRect(&ok.IconRect(), &centre));
  // Icons load from the program's resources by the low 16 bits of their id.
  ASSERT_TRUE(browse.AssignIcon(IDI_OPEN, BS_CENTER));
  EXPECT_NE(browse.Icon(), nullptr);
  EXPECT_TRUE(browse.AssignIcon(0x70000u | IDI_SAVE, BS_LEFT));
  EXPECT_EQ(browse.IconPlacement(), static_cast<unsigned>(BS_LEFT));
  // A missing one leaves the button without icon.
  EXPECT_FALSE(browse.AssignIcon(4321u, BS_CENTER));
  EXPECT_EQ(browse.Icon(), nullptr);
  EXPECT_FALSE(browse.AssignIcon(static_cast<HICON>(nullptr), BS_CENTER));
  DestroyIcon(icon);
}

// ---- Mouse ------------------------------------------------------------------------------------

TEST_F(ShadeButtonTest, PressAndReleaseClicksOnceADoubleClickTwiceAndAPressEndsHover) {
  Press(ok, 45, 17);
  EXPECT_FALSE(ok.HoverActive());  // the move before the press started it
  EXPECT_TRUE(ok.PressActive());
  EXPECT_EQ(GetCapture(), ok.GetHandle());
  EXPECT_TRUE(SendMessageA(ok, BM_GETSTATE, 0, 0) & BST_PUSHED);
  Release(ok, 45, 17);
  EXPECT_FALSE(ok.PressActive());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Clicks()[kOkId], 1);
  EXPECT_EQ(Clicks()[kCancelId], 0);

  SendMessageA(ok, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(45, 17));
  EXPECT_TRUE(ok.PressActive());
  Release(ok, 45, 17);
  EXPECT_EQ(Clicks()[kOkId], 2);
  MoveMouse(ok, 46, 17);  // the next move starts hover again, a leave message ends it
  EXPECT_TRUE(ok.HoverActive());
  EXPECT_EQ(SendMessageA(ok, WM_MOUSELEAVE, 0, 0), 0);
  EXPECT_FALSE(ok.HoverActive());
}

TEST_F(ShadeButtonTest, HeldButtonFollowsTheCursorAndEndsWithoutAClickOutsideOrOnFocusLoss) {
  SetWindowTextA(ok, "");
  GenerateOkFaces();
  Press(ok, 45, 17);
  ASSERT_TRUE(SendMessageA(ok, BM_GETSTATE, 0, 0) & BST_PUSHED);

  MoveMouse(ok, 45, 80, MK_LBUTTON);  // below the button, over the parent
  EXPECT_FALSE(SendMessageA(ok, BM_GETSTATE, 0, 0) & BST_PUSHED);
  PaintCanvas off(90, 35);
  PrintButton(ok, off);
  EXPECT_EQ(off.At(45, 17), FaceColour(expected.normalFace, 45, 17));

  MoveMouse(ok, 40, 10, MK_LBUTTON);
  EXPECT_TRUE(SendMessageA(ok, BM_GETSTATE, 0, 0) & BST_PUSHED);
  PaintCanvas back(90, 35);
  PrintButton(ok, back);
  EXPECT_EQ(back.At(46, 18), FaceColour(expected.hoverFace, 45, 17));

  MoveMouse(ok, 170, 17, MK_LBUTTON);  // over the Cancel button
  Release(ok, 170, 17);
  EXPECT_FALSE(ok.PressActive());

  // A paint while held follows the cursor first, before any move message arrives.
  Press(ok, 45, 17);
  const POINT away = OnScreen(ok, 45, 80);
  SetCursorPos(away.x, away.y);
  PrintButton(ok, off);
  EXPECT_FALSE(SendMessageA(ok, BM_GETSTATE, 0, 0) & BST_PUSHED);

  // Losing the focus while held releases the mouse.
  MoveMouse(ok, 45, 17, MK_LBUTTON);
  ASSERT_EQ(GetCapture(), ok.GetHandle());
  SetFocus(cancel);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(ok.PressActive());
  Release(ok, 45, 17);
  EXPECT_EQ(Clicks()[kOkId], 0);
  EXPECT_EQ(Clicks()[kCancelId], 0);
}

TEST_F(ShadeButtonTest, HoverEndsWhenTheMouseLeaves) {
  MoveMouse(cancel, 45, 17);
  ASSERT_TRUE(cancel.HoverActive());
  const POINT away = OnScreen(cancel, 45, 120);  // over the test window, off the button
  SetCursorPos(away.x, away.y);
  // Leave-tracking reports WM_MOUSELEAVE through the queue.
  for (int i = 0; i < 300 && cancel.HoverActive(); ++i) {
    PumpMessages();
    Sleep(10);
  }
  EXPECT_FALSE(cancel.HoverActive());
}

}  // namespace
