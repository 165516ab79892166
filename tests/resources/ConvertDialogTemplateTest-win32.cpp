// The conversion dialog's template: every control with its id, class, text, place
// and styles, and the dialog the platform builds from it.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "resource.h"
#include "resources/DialogTemplate-win32.h"

namespace {

using resource_test::DialogTemplate;
using resource_test::ReadDialogTemplate;
using resource_test::TemplateControl;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kLabel = kChild | SS_LEFT | WS_GROUP;
constexpr DWORD kFileName = kChild | SS_LEFT | SS_CENTERIMAGE | WS_GROUP;
constexpr DWORD kFileNameEx = WS_EX_STATICEDGE | WS_EX_CLIENTEDGE;
constexpr DWORD kBrowse = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;
constexpr DWORD kFigure =
    kChild | WS_DISABLED | WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL;
constexpr DWORD kSize = kChild | WS_DISABLED | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kStep = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kCombo = kChild | CBS_DROPDOWN | WS_VSCROLL | WS_DISABLED | WS_TABSTOP;

struct Expected {
  int id;
  const char* className;
  const char* text;  // nullptr: the picture (bitmap resource 137)
  int x, y, width, height;
  DWORD style;
  DWORD exStyle;
};

// The controls in template (and tab) order.
const Expected kControls[] = {
    {IDOK, "Button", "OK", 227, 281, 58, 23, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
    {IDCANCEL, "Button", "Cancel", 296, 280, 54, 24, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
    {1017, "Static", "*.txt", 16, 21, 157, 13, kFileName, kFileNameEx},
    {1016, "Button", "", 182, 18, 23, 19, kBrowse, 0},
    {-1, "Button", "Input Compressional Velocity File", 7, 7, 205, 94, kGroupBox, 0},
    {-1, "Static", "Number of ", 16, 42, 35, 8, kLabel, 0},
    {1000, "Edit", "", 58, 43, 40, 14, kFigure, 0},
    {-1, "Static", "Min:", 16, 64, 35, 8, kLabel, 0},
    {1001, "Edit", "", 58, 61, 40, 14, kFigure, 0},
    {-1, "Static", "Max:", 16, 82, 34, 8, kLabel, 0},
    {1002, "Edit", "", 58, 79, 40, 14, kFigure, 0},
    {1020, "Static", "*.txt", 17, 118, 157, 13, kFileName, kFileNameEx},
    {1021, "Button", "", 182, 115, 23, 19, kBrowse, 0},
    {-1, "Button", "Input Density File", 7, 104, 205, 94, kGroupBox, 0},
    {1003, "Edit", "", 57, 140, 40, 14, kFigure, 0},
    {-1, "Static", "Min:", 17, 161, 13, 8, kLabel, 0},
    {1004, "Edit", "", 57, 158, 40, 14, kFigure, 0},
    {-1, "Static", "Max:", 17, 179, 15, 8, kLabel, 0},
    {1005, "Edit", "", 57, 176, 40, 14, kFigure, 0},
    {1018, "Static", "*.mvg", 228, 20, 157, 13, kFileName, kFileNameEx},
    {1019, "Button", "", 393, 18, 23, 19, kBrowse, 0},
    {-1, "Button", "Set Model Grid", 219, 7, 205, 192, kGroupBox, 0},
    {-1, "Static", "Number of Elements", 240, 130, 63, 8, kLabel, 0},
    {1006, "Edit", "", 242, 150, 48, 14, kSize, 0},
    {-1, "Static", "Units:", 166, 42, 18, 8, kLabel, 0},
    {1009, "ComboBox", "", 152, 52, 48, 47, kCombo, 0},
    {-1, "Static", "Elements", 16, 49, 29, 8, kLabel, 0},
    {-1, "Static", "Number of ", 17, 140, 35, 8, kLabel, 0},
    {-1, "Static", "Elements", 17, 147, 29, 8, kLabel, 0},
    {-1, "Static", "Units:", 166, 139, 18, 8, kLabel, 0},
    {1014, "ComboBox", "", 152, 150, 48, 46, kCombo, 0},
    {1010, "ComboBox", "", 242, 68, 48, 134, kCombo, 0},
    {1011, "Edit", "", 371, 68, 48, 14, kStep, 0},
    {-1, "Static", "X-Size in Input File", 240, 56, 59, 8, kLabel, 0},
    {-1, "Static", "X-Step", 377, 56, 36, 8, kLabel, 0},
    {1022, "Edit", "", 371, 103, 48, 14, kStep, 0},
    {-1, "Static", "Z-Step", 378, 90, 26, 8, kLabel, 0},
    {1012, "Edit", "", 242, 103, 48, 14, kSize, 0},
    {-1, "Static", nullptr, 283, 205, 79, 71, kChild | SS_BITMAP, 0},
    {1023, "Static", "*.txt", 15, 217, 157, 13, kFileName, kFileNameEx},
    {1024, "Button", "", 182, 213, 23, 19, kBrowse, 0},
    {-1, "Button", "Input Shear Velocity File", 7, 202, 205, 101, kGroupBox, 0},
    {-1, "Static", "Number of ", 15, 237, 35, 8, kLabel, 0},
    {1007, "Edit", "", 57, 239, 40, 14, kFigure, 0},
    {-1, "Static", "Min:", 15, 260, 35, 8, kLabel, 0},
    {1008, "Edit", "", 57, 257, 40, 14, kFigure, 0},
    {-1, "Static", "Max:", 15, 277, 34, 8, kLabel, 0},
    {1013, "Edit", "", 57, 274, 40, 14, kFigure, 0},
    {-1, "Static", "Units:", 166, 237, 18, 8, kLabel, 0},
    {1015, "ComboBox", "", 152, 248, 48, 47, kCombo, 0},
    {-1, "Static", "Elements", 15, 245, 29, 8, kLabel, 0},
    {-1, "Static", "Number of Elements", 310, 130, 69, 8, kLabel, 0},
    {1025, "Edit", "", 313, 150, 48, 14, kSize, 0},
    {-1, "Static", "X:", 227, 70, 8, 8, kLabel, 0},
    {-1, "Static", "Z:", 227, 106, 8, 8, kLabel, 0},
    {1026, "Edit", "", 313, 68, 40, 14, kSize, 0},
    {-1, "Static", "X-Size to Write", 310, 55, 48, 8, kLabel, 0},
    {1027, "Edit", "", 313, 103, 40, 14, kSize, 0},
    {-1, "Static", "Z-Size in Input File", 240, 91, 59, 8, kLabel, 0},
    {-1, "Static", "Z-Size to Write", 310, 91, 48, 8, kLabel, 0},
    {-1, "Static", "in Input Files", 240, 139, 49, 8, kLabel, 0},
    {-1, "Static", "to Write", 310, 139, 43, 8, kLabel, 0},
    {-1, "Static", "X*Z:", 225, 153, 15, 8, kLabel, 0},
};
constexpr int kControlCount = 63;
static_assert(sizeof kControls / sizeof kControls[0] == kControlCount, "63 controls");

// Controls that start disabled: every field but the two steps, and the four lists.
const std::set<int> kStartDisabled = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008,
                                      1009, 1010, 1012, 1013, 1014, 1015, 1025, 1026, 1027};

TEST(ConvertDialogTemplate, IsAnExtendedPopupWithItsOwnTaskbarButton) {
  DialogTemplate t;
  ASSERT_TRUE(ReadDialogTemplate(IDD_CONVERT, &t));
  EXPECT_TRUE(t.extended);
  EXPECT_EQ(t.style, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                        DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(t.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
  EXPECT_EQ(t.width, 434);
  EXPECT_EQ(t.height, 311);
  EXPECT_EQ(t.title, "Conversion Text to Morvelan Mvg");
  EXPECT_EQ(t.fontSize, 8);
  EXPECT_EQ(t.fontName, "MS Sans Serif");
}

TEST(ConvertDialogTemplate, HoldsEveryControlInOrderWithPlaceAndStyles) {
  DialogTemplate t;
  ASSERT_TRUE(ReadDialogTemplate(IDD_CONVERT, &t));
  ASSERT_EQ(t.controls.size(), static_cast<size_t>(kControlCount));
  for (int i = 0; i < kControlCount; ++i) {
    const Expected& e = kControls[i];
    const TemplateControl& c = t.controls[i];
    SCOPED_TRACE("control #" + std::to_string(i + 1) + ", id " + std::to_string(e.id));
    EXPECT_EQ(c.id, e.id);
    EXPECT_EQ(c.className, e.className);
    if (e.text != nullptr) {
      EXPECT_EQ(c.text, e.text);
      EXPECT_EQ(c.textResource, -1);
    } else {
      EXPECT_EQ(c.textResource, IDB_PICTURE);
    }
    EXPECT_EQ(c.x, e.x);
    EXPECT_EQ(c.y, e.y);
    EXPECT_EQ(c.width, e.width);
    EXPECT_EQ(c.height, e.height);
    EXPECT_EQ(c.style, e.style) << std::hex << c.style << " != " << e.style;
    EXPECT_EQ(c.exStyle, e.exStyle);
  }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The conversion dialog built by the platform from the linked template (kept hidden),
// with a dialog procedure that does nothing.
class ConvertDialogWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = resource_test::CreateHiddenDialog(IDD_CONVERT, QuietDialogProc);
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      children.push_back(child);
    }
  }
  void TearDown() override {
    if (dialog != nullptr) DestroyWindow(dialog);
  }

  static std::string Text(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
  }
  static std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
  }
  static DWORD Style(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }
  HWND Item(int id) const { return GetDlgItem(dialog, id); }

  HWND dialog = nullptr;
  std::vector<HWND> children;
};

TEST_F(ConvertDialogWindow, HasItsCaptionAndItsOwnTaskbarButton) {
  EXPECT_EQ(Text(dialog), "Conversion Text to Morvelan Mvg");
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_TRUE(Style(dialog) & WS_SYSMENU);
  EXPECT_FALSE(Style(dialog) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

TEST_F(ConvertDialogWindow, CreatesTheControlsInTemplateOrderWithTheirClasses) {
  ASSERT_EQ(children.size(), static_cast<size_t>(kControlCount));
  for (int i = 0; i < kControlCount; ++i) {
    SCOPED_TRACE("control #" + std::to_string(i + 1));
    EXPECT_EQ(static_cast<int16_t>(GetDlgCtrlID(children[i])), kControls[i].id);
    EXPECT_EQ(ClassName(children[i]), kControls[i].className);
    EXPECT_TRUE(Style(children[i]) & WS_VISIBLE);
    if (kControls[i].text != nullptr && std::string(kControls[i].className) != "Edit" &&
        std::string(kControls[i].className) != "ComboBox") {
      EXPECT_EQ(Text(children[i]), kControls[i].text);
    }
  }
}

TEST_F(ConvertDialogWindow, StartsWithOnlyButtonsStepsAndLabelsEnabled) {
  ASSERT_EQ(children.size(), static_cast<size_t>(kControlCount));
  for (HWND child : children) {
    const int id = GetDlgCtrlID(child);
    SCOPED_TRACE("id " + std::to_string(id));
    EXPECT_EQ(IsWindowEnabled(child) == FALSE, kStartDisabled.count(id) == 1);
  }
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_X_STEP)));
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_Z_STEP)));
}

TEST_F(ConvertDialogWindow, FiguresAreReadOnlyAndSizesEditable) {
  for (int id : {IDC_VP_COUNT, IDC_VP_MIN, IDC_VP_MAX, IDC_DENSITY_COUNT, IDC_DENSITY_MIN,
                 IDC_DENSITY_MAX, IDC_VS_COUNT, IDC_VS_MIN, IDC_VS_MAX}) {
    EXPECT_TRUE(Style(Item(id)) & ES_READONLY) << id;
  }
  for (int id : {IDC_INPUT_COUNT, IDC_NZ_INPUT, IDC_WRITE_COUNT, IDC_NX_WRITE, IDC_NZ_WRITE,
                 IDC_X_STEP, IDC_Z_STEP}) {
    EXPECT_FALSE(Style(Item(id)) & ES_READONLY) << id;
  }
}

TEST_F(ConvertDialogWindow, OkIsTheDefaultButtonAndListsDropDownUnsorted) {
  EXPECT_EQ(Style(Item(IDOK)) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_EQ(Style(Item(IDCANCEL)) & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
  for (int id : {IDC_VP_BROWSE, IDC_DENSITY_BROWSE, IDC_VS_BROWSE, IDC_OUTPUT_BROWSE}) {
    EXPECT_EQ(Style(Item(id)) & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << id;
    EXPECT_EQ(Text(Item(id)), "") << id;
  }
  for (int id : {IDC_VP_UNITS, IDC_DENSITY_UNITS, IDC_VS_UNITS, IDC_NX_INPUT}) {
    EXPECT_EQ(Style(Item(id)) & 3, static_cast<DWORD>(CBS_DROPDOWN)) << id;
    EXPECT_FALSE(Style(Item(id)) & CBS_SORT) << id;
  }
}

TEST_F(ConvertDialogWindow, ShowsTheFileNamePlaceholdersAndLabels) {
  EXPECT_EQ(Text(Item(IDC_VP_PATH)), "*.txt");
  EXPECT_EQ(Text(Item(IDC_DENSITY_PATH)), "*.txt");
  EXPECT_EQ(Text(Item(IDC_VS_PATH)), "*.txt");
  EXPECT_EQ(Text(Item(IDC_OUTPUT_PATH)), "*.mvg");
  EXPECT_TRUE(GetWindowLongA(Item(IDC_VP_PATH), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  int numberOf = 0;
  std::vector<std::string> groups;
  for (HWND child : children) {
    if (Text(child) == "Number of ") ++numberOf;
    if ((Style(child) & BS_TYPEMASK) == BS_GROUPBOX && ClassName(child) == "Button") {
      groups.push_back(Text(child));
    }
  }
  EXPECT_EQ(numberOf, 3);  // with the trailing blank; "Elements" is a label of its own
  EXPECT_EQ(groups,
            (std::vector<std::string>{"Input Compressional Velocity File", "Input Density File",
                                      "Set Model Grid", "Input Shear Velocity File"}));
}

TEST_F(ConvertDialogWindow, PictureShowsTheDecorativeBitmap) {
  ASSERT_EQ(children.size(), static_cast<size_t>(kControlCount));
  HWND picture = children[38];
  auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 119);
  EXPECT_EQ(info.bmHeight, 115);
}

}  // namespace
