#include "dialog/AboutDialog-win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/HelpText.h"
#include "resource.h"
#include "support/ScriptedCommonDialogs.h"
#include "support/ScriptedDialog.h"

namespace {

// Stands in for the conversion dialog: owns the modeless box and counts WM_ABOUT_CLOSED.
class OwnerDialog : public ui::Dialog {
 public:
  explicit OwnerDialog(ui::CommonDialogs& dialogs) : Dialog(IDD_ABOUT, dialogs) {}
  std::vector<std::pair<WPARAM, LPARAM>> closedMessages;

 private:
  LRESULT OnAboutClosed(WPARAM wParam, LPARAM lParam) {
    closedMessages.emplace_back(wParam, lParam);
    return 0;
  }
  UI_DECLARE_MESSAGE_MAP()
};

using ScriptedOwner = ScriptedDialog<OwnerDialog>;

std::string HelpControlText(HWND box) { return ui::WindowText(GetDlgItem(box, IDC_HELP_TEXT)); }

void PostKeyTo(HWND window, UINT key) { PostMessageA(window, WM_KEYDOWN, key, 1); }

// The modal box is run from the conversion dialog's system menu in its own test.
TEST(AboutDialogTest, ModelessBoxTellsItsOwnerAndGoesAwayOnEscEnterAndClose) {
  ScriptedCommonDialogs dialogs;
  ScriptedOwner owner(dialogs);
  std::vector<HWND> boxes;
  std::vector<bool> shownHidden;
  std::vector<std::string> texts;
  const std::vector<std::function<void(HWND)>> closings = {
      [](HWND box) { PostKeyTo(box, VK_ESCAPE); },
      [](HWND box) { PostKeyTo(box, VK_RETURN); },
      [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); },
  };
  std::vector<std::unique_ptr<AboutDialog>> abouts;
  for (const auto& close : closings) {
    owner.Then([&, close](auto& o) {
      abouts.push_back(std::make_unique<AboutDialog>(dialogs, o));
      ASSERT_TRUE(abouts.back()->CreateModeless());
      HWND box = abouts.back()->GetHandle();
      boxes.push_back(box);
      shownHidden.push_back(IsWindowVisible(box) == FALSE);
      EXPECT_EQ(GetWindow(box, GW_OWNER), o.GetHandle());
      ShowWindow(box, SW_SHOWNORMAL);
      texts.push_back(HelpControlText(box));
      close(box);
    });
  }
  // The close box's WM_CLOSE posts IDCANCEL, whose handler posts WM_ABOUT_CLOSED: two rounds.
  owner.Then([](auto&) {});
  owner.Then([](auto&) {});
  owner.Then([](auto& o) { o.EndDialog(IDOK); });

  EXPECT_EQ(owner.DoModal(), IDOK);
  ASSERT_EQ(boxes.size(), 3u);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(shownHidden[i]);  // the caller shows the box
    EXPECT_EQ(texts[i], WithCrLf(HelpText()));
    EXPECT_FALSE(IsWindow(boxes[i]));
    EXPECT_EQ(abouts[i]->GetHandle(), nullptr);
  }
  EXPECT_EQ(owner.closedMessages, (std::vector<std::pair<WPARAM, LPARAM>>{{0, 0}, {0, 0}, {0, 0}}));
}

// clang-format off
UI_BEGIN_MESSAGE_MAP(OwnerDialog, ui::Dialog)
  ui::OnMessage(WM_ABOUT_CLOSED, &OwnerDialog::OnAboutClosed),
UI_END_MESSAGE_MAP()
// clang-format on

}  // namespace
