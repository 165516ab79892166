// The two dialog templates: golden checksums pin every control's id, class, text, place
// and style; the conversion dialog the platform builds is checked for its tab order and
// starting states. (Placeholders, lists, the picture, the About box and the system-menu
// string are checked where the program shows them.)
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "resource.h"
#include "resources/ResourceBytes-win32.h"

namespace {

using resource_test::Checksum;
using resource_test::ResourceBytes;

std::vector<unsigned char> Template(int id) { return ResourceBytes(id, MAKEINTRESOURCEA(5)); }

bool IsExtended(const std::vector<unsigned char>& t) {
  return t.size() >= 4 && t[0] == 1 && t[1] == 0 && t[2] == 0xFF && t[3] == 0xFF;
}

// A change to either template shows here. After a deliberate change, look at the
// dialog (scripts' screenshot) and take the new value.
TEST(DialogTemplates, MatchTheirGoldenChecksums) {
  ASSERT_TRUE(IsExtended(Template(IDD_CONVERT)));
  ASSERT_FALSE(IsExtended(Template(IDD_ABOUT)));
  EXPECT_EQ(Checksum(Template(IDD_CONVERT)), 0xbdcdf4c4ae6d91c7u);
  EXPECT_EQ(Checksum(Template(IDD_ABOUT)), 0xcbee87e1b00ef8f3u);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::string Text(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}
DWORD Style(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }

// The conversion dialog built by the platform from a copy of its template without
// WS_VISIBLE (showing windows is slow under Wine without a window manager).
class ConvertDialogWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<unsigned char> bytes = Template(IDD_CONVERT);
    ASSERT_TRUE(IsExtended(bytes));
    DWORD style = 0;
    std::memcpy(&style, bytes.data() + 12, sizeof style);
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(bytes.data() + 12, &style, sizeof style);
    dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                        reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), nullptr,
                                        QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      children.push_back(c);
    }
    ASSERT_EQ(children.size(), 63u);
  }
  void TearDown() override {
    if (dialog != nullptr) DestroyWindow(dialog);
  }
  HWND dialog = nullptr;
  std::vector<HWND> children;
};

TEST_F(ConvertDialogWindow, HasItsCaptionAndItsOwnTaskbarButton) {
  EXPECT_EQ(Text(dialog), "Conversion Text to Morvelan Mvg");
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_TRUE(Style(dialog) & WS_SYSMENU);
  EXPECT_FALSE(Style(dialog) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

TEST_F(ConvertDialogWindow, TabOrderOfTheControlsWithIds) {
  std::vector<int> ids;
  for (HWND child : children) {
    EXPECT_TRUE(Style(child) & WS_VISIBLE);
    if (GetDlgCtrlID(child) != -1) ids.push_back(GetDlgCtrlID(child));
  }
  EXPECT_EQ(ids, (std::vector<int>{1,    2,    1017, 1016, 1000, 1001, 1002, 1020, 1021, 1003,
                                   1004, 1005, 1018, 1019, 1006, 1009, 1014, 1010, 1011, 1022,
                                   1012, 1023, 1024, 1007, 1008, 1013, 1015, 1025, 1026, 1027}));
}

TEST_F(ConvertDialogWindow, StartsWithOnlyButtonsStepsAndLabelsEnabled) {
  const std::set<int> disabled = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008,
                                  1009, 1010, 1012, 1013, 1014, 1015, 1025, 1026, 1027};
  for (HWND child : children) {
    EXPECT_EQ(IsWindowEnabled(child) == FALSE, disabled.count(GetDlgCtrlID(child)) == 1)
        << GetDlgCtrlID(child);
  }
}

}  // namespace
