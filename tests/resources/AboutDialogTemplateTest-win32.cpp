// The About box's template and the system-menu string that opens it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resource.h"
#include "resources/DialogTemplate-win32.h"

namespace {

using resource_test::DialogTemplate;
using resource_test::ReadDialogTemplate;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;

TEST(AboutDialogTemplate, IsAClassicHiddenPopup) {
  DialogTemplate t;
  ASSERT_TRUE(ReadDialogTemplate(IDD_ABOUT, &t));
  EXPECT_FALSE(t.extended);
  EXPECT_EQ(t.style,
            static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(t.exStyle, 0u);
  EXPECT_EQ(t.width, 350);
  EXPECT_EQ(t.height, 279);
  EXPECT_EQ(t.title, "About MorvTxtMvg");
  EXPECT_EQ(t.fontSize, 8);
  EXPECT_EQ(t.fontName, "MS Sans Serif");
}

TEST(AboutDialogTemplate, HoldsIconTextsHelpFieldAndGroupBoxes) {
  DialogTemplate t;
  ASSERT_TRUE(ReadDialogTemplate(IDD_ABOUT, &t));
  ASSERT_EQ(t.controls.size(), 8u);
  const auto& c = t.controls;
  for (size_t i = 0; i < c.size(); ++i) {
    EXPECT_EQ(c[i].id, i == 5 ? IDC_HELP_TEXT : -1) << i;
  }
  EXPECT_EQ(c[0].className, "Static");
  EXPECT_EQ(c[0].textResource, IDI_APP);
  EXPECT_EQ(c[0].style, kChild | SS_ICON);
  EXPECT_EQ(std::vector<int>({c[0].x, c[0].y, c[0].width, c[0].height}),
            std::vector<int>({19, 16, 21, 20}));

  EXPECT_EQ(c[1].text, "MorvTxtMvg Version 1.0");
  EXPECT_EQ(c[1].style, kChild | SS_LEFT | SS_NOPREFIX | WS_GROUP);
  EXPECT_EQ(std::vector<int>({c[1].x, c[1].y, c[1].width, c[1].height}),
            std::vector<int>({54, 22, 84, 8}));
  EXPECT_FALSE(c[2].text.empty());
  EXPECT_EQ(std::vector<int>({c[2].x, c[2].y, c[2].width, c[2].height}),
            std::vector<int>({241, 22, 63, 8}));
  EXPECT_EQ(c[4].text,
            "Utility for conversion of physical properties grid in txt (text) format into mvg "
            "(morvelan grid)");
  EXPECT_EQ(std::vector<int>({c[4].x, c[4].y, c[4].width, c[4].height}),
            std::vector<int>({37, 54, 281, 11}));
  EXPECT_EQ(c[5].className, "Static");
  EXPECT_EQ(c[5].text, "Static");
  EXPECT_EQ(c[5].style, kChild | SS_LEFT | WS_GROUP);
  EXPECT_EQ(std::vector<int>({c[5].x, c[5].y, c[5].width, c[5].height}),
            std::vector<int>({16, 70, 324, 192}));
  for (size_t i : {3u, 6u, 7u}) {
    EXPECT_EQ(c[i].className, "Button") << i;
    EXPECT_EQ(c[i].style, kGroupBox) << i;
    EXPECT_EQ(c[i].text, "") << i;
  }
  EXPECT_EQ(std::vector<int>({c[3].x, c[3].y, c[3].width, c[3].height}),
            std::vector<int>({7, 7, 168, 35}));
  EXPECT_EQ(std::vector<int>({c[6].x, c[6].y, c[6].width, c[6].height}),
            std::vector<int>({7, 45, 336, 227}));
  EXPECT_EQ(std::vector<int>({c[7].x, c[7].y, c[7].width, c[7].height}),
            std::vector<int>({182, 7, 161, 35}));
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

TEST(AboutDialogWindow, IsCreatedHiddenWithItsControls) {
  HWND about = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), nullptr,
                                  QuietDialogProc, 0);
  ASSERT_NE(about, nullptr) << "error " << GetLastError();
  EXPECT_FALSE(IsWindowVisible(about));
  char caption[64] = {};
  GetWindowTextA(about, caption, sizeof caption);
  EXPECT_STREQ(caption, "About MorvTxtMvg");
  int count = 0;
  for (HWND child = GetWindow(about, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ++count;
  }
  EXPECT_EQ(count, 8);
  HWND help = GetDlgItem(about, IDC_HELP_TEXT);
  ASSERT_NE(help, nullptr);
  char text[64] = {};
  GetWindowTextA(help, text, sizeof text);
  EXPECT_STREQ(text, "Static");
  HWND icon = GetWindow(about, GW_CHILD);
  EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
  DestroyWindow(about);
}

TEST(AboutString, IsTheSystemMenuEntry) {
  char text[64] = {};
  EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUT, text, sizeof text), 20);
  EXPECT_STREQ(text, "&About MorvTxtMvg...");
}

}  // namespace
