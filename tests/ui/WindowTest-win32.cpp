#include "ui/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/MessageMap.h"

namespace {

// Every message that reached the window's own procedure, in order.
std::vector<UINT>& OwnProcLog() {
  static std::vector<UINT> log;
  return log;
}

LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER) {
    OwnProcLog().push_back(message);
    return 1000 + (message - WM_USER);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreatePlainWindow(HWND parent = nullptr) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = OwnProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "WindowTestPlain";
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  DWORD style = parent != nullptr ? WS_CHILD : WS_OVERLAPPEDWINDOW;
  return CreateWindowExA(0, "WindowTestPlain", "plain", style, 0, 0, 100, 50, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

constexpr UINT kFirst = WM_USER + 1;
constexpr UINT kSecond = WM_USER + 2;
constexpr UINT kPassOn = WM_USER + 3;
constexpr UINT kCallDefault = WM_USER + 4;
constexpr UINT kOnlyInBase = WM_USER + 5;
constexpr UINT kUnmapped = WM_USER + 6;
constexpr UINT kNested = WM_USER + 7;
constexpr UINT kDeclined = WM_USER + 9;  // declined, with no entry after it

class BaseProbe : public ui::Window {
 public:
  std::vector<std::string> calls;

 protected:
  LRESULT OnOnlyInBase(WPARAM, LPARAM) {
    calls.push_back("base only");
    return 50;
  }
  LRESULT OnSecondInBase(WPARAM, LPARAM) {
    calls.push_back("base second");
    return 51;
  }

  UI_DECLARE_MESSAGE_MAP()
};

class Probe : public BaseProbe {
 public:
  int preSubclassCalls = 0;
  WNDPROC procDuringPreSubclass = nullptr;
  int postNcDestroyCalls = 0;
  std::vector<DRAWITEMSTRUCT> drawn;
  LRESULT nestedResult = 0;

  using Window::Default;

 protected:
  void PreSubclassWindow() override {
    ++preSubclassCalls;
    procDuringPreSubclass = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(*this, GWLP_WNDPROC));
  }
  void PostNcDestroy() override { ++postNcDestroyCalls; }
  void DrawItem(DRAWITEMSTRUCT* item) override { drawn.push_back(*item); }

 private:
  LRESULT OnFirst(WPARAM wParam, LPARAM lParam) {
    calls.push_back("first " + std::to_string(wParam) + " " + std::to_string(lParam));
    return 10;
  }
  LRESULT OnSecond(WPARAM, LPARAM) {
    calls.push_back("second");
    return 20;
  }
  LRESULT OnPassOn(WPARAM, LPARAM) {
    calls.push_back("pass on");
    NotHandled();
    return 99;
  }
  LRESULT OnCallDefault(WPARAM, LPARAM) {
    calls.push_back("default");
    return Default() + 1;
  }
  LRESULT OnNested(WPARAM, LPARAM) {
    nestedResult = Send(kCallDefault);  // a message inside a message
    return Default();                   // still the outer message's default
  }
  LRESULT OnClicked(WPARAM, LPARAM) {
    calls.push_back("clicked 7");
    return 0;
  }
  LRESULT OnChanged(WPARAM, LPARAM) {
    calls.push_back("changed 7");
    return 0;
  }

  UI_DECLARE_MESSAGE_MAP()
};

// Lives on the heap and deletes itself after its window's last message.
class SelfDeleting : public ui::Window {
 public:
  explicit SelfDeleting(int* deletions) : deletions(deletions) {}
  ~SelfDeleting() override { ++*deletions; }

 protected:
  void PostNcDestroy() override { delete this; }

 private:
  LRESULT OnDestroyRequest(WPARAM, LPARAM) {
    DestroyWindow(*this);  // the object is gone when this returns
    return 42;
  }
  int* deletions;
  UI_DECLARE_MESSAGE_MAP()
};

constexpr UINT kDestroyRequest = WM_USER + 8;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OwnProcLog().clear();
    window = CreatePlainWindow();
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
  }
  WNDPROC OwnProcedure() const {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  }
  HWND window = nullptr;
};

TEST_F(WindowTest, SubclassRunsPreSubclassFirstThenRoutesMappedMessagesAndPassesTheRestOn) {
  Probe probe;
  const WNDPROC own = OwnProcedure();
  ASSERT_TRUE(probe.Subclass(window));
  EXPECT_EQ(probe.preSubclassCalls, 1);
  EXPECT_EQ(probe.procDuringPreSubclass, own);
  EXPECT_NE(OwnProcedure(), own);
  EXPECT_EQ(ui::Window::FromHandle(window), &probe);

  EXPECT_EQ(SendMessageA(window, kFirst, 3, 4), 10);
  EXPECT_EQ(SendMessageA(window, kUnmapped, 0, 0), 1006);
  EXPECT_EQ(OwnProcLog(), std::vector<UINT>{kUnmapped});
  EXPECT_EQ(probe.calls, std::vector<std::string>{"first 3 4"});
}

TEST_F(WindowTest, OwnEntriesComeBeforeTheBaseMapNotHandledGoesOnCommandsMatchCodeAndId) {
  Probe probe;
  ASSERT_TRUE(probe.Subclass(window));
  EXPECT_EQ(SendMessageA(window, kSecond, 0, 0), 20);
  EXPECT_EQ(SendMessageA(window, kOnlyInBase, 0, 0), 50);
  EXPECT_EQ(SendMessageA(window, kPassOn, 0, 0), 51);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), 0);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(7, EN_KILLFOCUS), 0);
  EXPECT_EQ(SendMessageA(window, kDeclined, 0, 0), 1009);  // default processing
  EXPECT_EQ(probe.calls, (std::vector<std::string>{"second", "base only", "pass on", "base second",
                                                   "clicked 7", "changed 7", "pass on"}));
  EXPECT_EQ(OwnProcLog(), std::vector<UINT>{kDeclined});
}

TEST_F(WindowTest, DefaultRunsTheOwnProcedureForTheCurrentMessageEvenAfterANestedOne) {
  Probe probe;
  ASSERT_TRUE(probe.Subclass(window));
  EXPECT_EQ(SendMessageA(window, kCallDefault, 0, 0), 1004 + 1);
  EXPECT_EQ(probe.Default(), 0);  // outside a handler there is nothing to process
  EXPECT_EQ(SendMessageA(window, kNested, 0, 0), 1007);
  EXPECT_EQ(probe.nestedResult, 1005);
  EXPECT_EQ(OwnProcLog(), (std::vector<UINT>{kCallDefault, kCallDefault, kNested}));
}

TEST_F(WindowTest,
       UnsubclassOrDestroyingTheObjectGivesTheProcedureBackDestroyingTheWindowDetaches) {
  const WNDPROC own = OwnProcedure();
  Probe probe;
  ASSERT_TRUE(probe.Subclass(window));
  ASSERT_TRUE(probe.Unsubclass());
  EXPECT_EQ(OwnProcedure(), own);
  EXPECT_EQ(ui::Window::FromHandle(window), nullptr);
  EXPECT_EQ(probe.GetHandle(), nullptr);
  EXPECT_FALSE(probe.Unsubclass());
  EXPECT_EQ(SendMessageA(window, kFirst, 0, 0), 1001);
  EXPECT_TRUE(probe.calls.empty());
  {
    Probe shortLived;
    ASSERT_TRUE(shortLived.Subclass(window));
  }
  EXPECT_EQ(OwnProcedure(), own);
  EXPECT_EQ(ui::Window::FromHandle(window), nullptr);

  // Destroying the window detaches the object after the last message.
  ASSERT_TRUE(probe.Subclass(window));
  DestroyWindow(window);
  EXPECT_EQ(probe.GetHandle(), nullptr);
  EXPECT_FALSE(probe.IsSubclassed());
  EXPECT_EQ(probe.postNcDestroyCalls, 1);
}

TEST_F(WindowTest, AttachBindsWithoutReplacingTheProcedureAndEachSideTakesOnlyOne) {
  const WNDPROC own = OwnProcedure();
  Probe first;
  Probe second;
  ASSERT_TRUE(first.Attach(window));
  EXPECT_EQ(ui::Window::FromHandle(window), &first);
  EXPECT_FALSE(first.IsSubclassed());
  EXPECT_EQ(OwnProcedure(), own);
  EXPECT_FALSE(second.Subclass(window));
  EXPECT_FALSE(second.Attach(window));
  EXPECT_EQ(second.preSubclassCalls + first.preSubclassCalls, 0);
  HWND other = CreatePlainWindow();
  EXPECT_FALSE(first.Attach(other));
  EXPECT_FALSE(second.Subclass(nullptr));
  EXPECT_EQ(ui::Window::FromHandle(nullptr), nullptr);
  DestroyWindow(other);
  EXPECT_EQ(first.Detach(), window);
  EXPECT_EQ(ui::Window::FromHandle(window), nullptr);
}

TEST_F(WindowTest, ParentReflectsDrawItemToTheChildObject) {
  HWND child = CreatePlainWindow(window);
  ASSERT_NE(child, nullptr);
  Probe parent;
  Probe control;
  ASSERT_TRUE(parent.Subclass(window));
  ASSERT_TRUE(control.Subclass(child));

  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = 5;
  item.hwndItem = child;
  item.rcItem = {1, 2, 3, 4};
  EXPECT_EQ(SendMessageA(window, WM_DRAWITEM, 5, reinterpret_cast<LPARAM>(&item)), TRUE);
  ASSERT_EQ(control.drawn.size(), 1u);
  EXPECT_EQ(control.drawn[0].CtlID, 5u);
  EXPECT_EQ(control.drawn[0].rcItem.bottom, 4);
  EXPECT_TRUE(parent.drawn.empty());

  control.Unsubclass();  // no object: the parent's own procedure decides
  EXPECT_EQ(SendMessageA(window, WM_DRAWITEM, 5, reinterpret_cast<LPARAM>(&item)), 0);
  item.CtlType = ODT_MENU;
  EXPECT_FALSE(ui::Window::ReflectDrawItem(reinterpret_cast<LPARAM>(&item)));
  EXPECT_FALSE(ui::Window::ReflectDrawItem(0));
  EXPECT_EQ(control.drawn.size(), 1u);
}

TEST_F(WindowTest, AnObjectMayDeleteItselfWhenItsWindowIsDestroyedInAHandlerOrByDefault) {
  int deletions = 0;
  ASSERT_TRUE((new SelfDeleting(&deletions))->Subclass(window));
  EXPECT_EQ(SendMessageA(window, kDestroyRequest, 0, 0), 42);
  EXPECT_EQ(deletions, 1);
  EXPECT_FALSE(IsWindow(window));

  window = CreatePlainWindow();
  ASSERT_TRUE((new SelfDeleting(&deletions))->Subclass(window));
  SendMessageA(window, WM_CLOSE, 0, 0);  // not mapped: the own procedure destroys the window
  EXPECT_EQ(deletions, 2);
  EXPECT_FALSE(IsWindow(window));
}

// clang-format off
UI_BEGIN_MESSAGE_MAP(BaseProbe, ui::Window)
  ui::OnMessage(kOnlyInBase, &BaseProbe::OnOnlyInBase),
  ui::OnMessage(kSecond, &BaseProbe::OnSecondInBase),
  ui::OnMessage(kPassOn, &BaseProbe::OnSecondInBase),
UI_END_MESSAGE_MAP()

UI_BEGIN_MESSAGE_MAP(Probe, BaseProbe)
  ui::OnMessage(kFirst, &Probe::OnFirst),
  ui::OnMessage(kSecond, &Probe::OnSecond),
  ui::OnMessage(kPassOn, &Probe::OnPassOn),
  ui::OnMessage(kDeclined, &Probe::OnPassOn),
  ui::OnMessage(kCallDefault, &Probe::OnCallDefault),
  ui::OnMessage(kNested, &Probe::OnNested),
  ui::OnCommand(BN_CLICKED, 7, &Probe::OnClicked),
  ui::OnCommand(EN_CHANGE, 7, &Probe::OnChanged),
UI_END_MESSAGE_MAP()

UI_BEGIN_MESSAGE_MAP(SelfDeleting, ui::Window)
  ui::OnMessage(kDestroyRequest, &SelfDeleting::OnDestroyRequest),
UI_END_MESSAGE_MAP()
// clang-format on

}  // namespace
