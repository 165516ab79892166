#include "ui/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/MessageMap.h"

namespace {

// The window's own procedure answers our messages with their number and logs them.
std::vector<UINT> ownProcLog;

LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message < WM_USER) return DefWindowProcA(window, message, wParam, lParam);
  ownProcLog.push_back(message);
  return message;
}

HWND CreatePlainWindow() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = OwnProc;
  windowClass.lpszClassName = "WindowTestPlain";
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, "WindowTestPlain", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         nullptr, nullptr);
}

enum : UINT { kBoth = WM_USER + 1, kBaseOnly, kPassOn, kUnmapped, kDefault, kNested };

class BaseProbe : public ui::Window {
 public:
  std::vector<std::string> calls;

 protected:
  // A handler's answer, noted first.
  LRESULT Noted(const std::string& call, LRESULT result) {
    calls.push_back(call);
    return result;
  }
  LRESULT OnInBase(WPARAM, LPARAM) { return Noted("base", 50); }
  UI_DECLARE_MESSAGE_MAP()
};

class Probe : public BaseProbe {
 private:
  LRESULT OnBoth(WPARAM wParam, LPARAM) { return Noted("class " + std::to_string(wParam), 10); }
  LRESULT OnPassOn(WPARAM, LPARAM) {
    NotHandled();
    return Noted("pass on", 99);
  }
  LRESULT OnDefault(WPARAM, LPARAM) { return Default() + 100; }
  LRESULT OnNested(WPARAM, LPARAM) {
    calls.push_back(std::to_string(Send(kDefault)));  // a message inside a message
    return Default();                                 // still the outer message's default
  }
  LRESULT OnClicked(WPARAM, LPARAM) { return Noted("clicked 7", 0); }
  UI_DECLARE_MESSAGE_MAP()
};

// The class's own entries first, then its base's (also after a handler passes a message on),
// WM_COMMAND by notification and id, and the window's own procedure for the rest; unsubclassing
// or destroying the object gives the window its own procedure back.
TEST(WindowTest, MessagesGoToTheClassMapThenTheBaseMapThenTheWindowsOwnProcedure) {
  ownProcLog.clear();
  HWND window = CreatePlainWindow();
  Probe probe;
  ASSERT_TRUE(probe.Subclass(window));
  EXPECT_FALSE(Probe().Subclass(window));  // one object a window

  EXPECT_EQ(SendMessageA(window, kBoth, 3, 0), 10);
  EXPECT_EQ(SendMessageA(window, kBaseOnly, 0, 0), 50);
  EXPECT_EQ(SendMessageA(window, kPassOn, 0, 0), 50);
  EXPECT_EQ(SendMessageA(window, kUnmapped, 0, 0), kUnmapped);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), 0);
  EXPECT_EQ(SendMessageA(window, kDefault, 0, 0), kDefault + 100);
  EXPECT_EQ(SendMessageA(window, kNested, 0, 0), kNested);
  EXPECT_EQ(probe.calls, (std::vector<std::string>{"class 3", "base", "pass on", "base",
                                                   "clicked 7", std::to_string(kDefault + 100)}));
  EXPECT_EQ(ownProcLog, (std::vector<UINT>{kUnmapped, kDefault, kDefault, kNested}));

  // A window left with our procedure would recurse once subclassed again: stop here then.
  ASSERT_TRUE(probe.Unsubclass());
  ASSERT_EQ(SendMessageA(window, kBoth, 0, 0), kBoth);
  {
    Probe shortLived;
    ASSERT_TRUE(shortLived.Subclass(window));
  }
  ASSERT_EQ(SendMessageA(window, kBoth, 0, 0), kBoth);
  ASSERT_TRUE(probe.Subclass(window));
  DestroyWindow(window);
  EXPECT_EQ(probe.GetHandle(), nullptr);
}

// clang-format off
UI_BEGIN_MESSAGE_MAP(BaseProbe, ui::Window)
  ui::OnMessage(kBaseOnly, &BaseProbe::OnInBase),
  ui::OnMessage(kBoth, &BaseProbe::OnInBase),
  ui::OnMessage(kPassOn, &BaseProbe::OnInBase),
UI_END_MESSAGE_MAP()

UI_BEGIN_MESSAGE_MAP(Probe, BaseProbe)
  ui::OnMessage(kBoth, &Probe::OnBoth),
  ui::OnMessage(kPassOn, &Probe::OnPassOn),
  ui::OnMessage(kDefault, &Probe::OnDefault),
  ui::OnMessage(kNested, &Probe::OnNested),
  ui::OnCommand(BN_CLICKED, 7, &Probe::OnClicked),
UI_END_MESSAGE_MAP()
// clang-format on

}  // namespace
