#include "support/RunningProgram-win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr DWORD kGiveUpMs = 15000;
// Posted after a pressed F1 by the system's keyboard input, which posted keys bypass.
constexpr UINT kKeyF1Message = 0x004D;

// The visible top-level windows of a process with a caption (known without asking the window).
std::vector<HWND> WindowsOf(DWORD processId, const std::string& caption) {
  std::vector<HWND> found;
  for (HWND window = nullptr;
       (window = FindWindowExA(nullptr, window, nullptr, caption.c_str())) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) found.push_back(window);
  }
  return found;
}

// Where keys and clicks meant for a control go: a drop-down combo box's edit field.
HWND KeyTarget(HWND control) {
  HWND edit = FindWindowExA(control, nullptr, "Edit", nullptr);
  return edit != nullptr ? edit : control;
}

}  // namespace

RunningProgram::RunningProgram(const std::filesystem::path& program,
                               const std::filesystem::path& startFolder)
    : title_(program.stem().string()) {
  // Wide strings: the start folder may be named in any language.
  const std::wstring path = std::filesystem::absolute(program).make_preferred().wstring();
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      startFolder.wstring().c_str(), &startup, &process_)) {
    ADD_FAILURE() << "cannot start " << program.string() << ": error " << GetLastError();
    process_ = {};
  }
}

RunningProgram::~RunningProgram() {
  if (Running()) TerminateProcess(process_.hProcess, 99);
  WaitForSingleObject(process_.hProcess, kGiveUpMs);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool RunningProgram::Running() const {
  return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND RunningProgram::WaitForWindow(const std::string& caption) {
  for (const DWORD start = GetTickCount(); GetTickCount() - start < kGiveUpMs && Running();) {
    const std::vector<HWND> found = WindowsOf(process_.dwProcessId, caption);
    if (found.empty()) {
      Sleep(5);
      continue;
    }
    HWND list = FindWindowExA(found.front(), nullptr, "ComboBox", nullptr);
    if (!IsWindow(markList_) && SendMessageA(list, CB_GETCOUNT, 0, 0) > 0) markList_ = list;
    // A window becomes active a while after it shows; that moves the focus, which would end a
    // click begun before it.
    for (int waited = 0; waited < 2000 && GetForegroundWindow() != found.front(); waited += 5) {
      Sleep(5);
    }
    Settle();
    return found.front();
  }
  ADD_FAILURE() << "no window \"" << caption << "\" showed";
  return nullptr;
}

int RunningProgram::Count(const std::string& caption) {
  Settle();
  return static_cast<int>(WindowsOf(process_.dwProcessId, caption).size());
}

// The program's queue is first in, first out: a mark posted behind what was sent is taken only
// after it. The mark is the data of a list item of the first window waited for, which the
// program never uses; a second mark follows what handling the first messages posted (a key's
// character, say).
void RunningProgram::Settle() {
  for (int round = 0; round < 2 && IsWindow(markList_); ++round) {
    const LRESULT mark = ++marks_;
    PostMessageA(markList_, CB_SETITEMDATA, 0, mark);
    for (const DWORD start = GetTickCount();; Sleep(1)) {
      DWORD_PTR seen = 0;
      const bool answered =
          SendMessageTimeoutA(markList_, CB_GETITEMDATA, 0, 0, SMTO_NORMAL, kGiveUpMs, &seen) != 0;
      if (answered && static_cast<LRESULT>(seen) == mark) break;
      if (!IsWindow(markList_) || !Running()) return;  // the program is ending
      if (GetTickCount() - start > kGiveUpMs) {
        ADD_FAILURE() << "the program stopped answering";
        return;
      }
    }
  }
}

HWND RunningProgram::Focus() {
  Settle();
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(process_.dwThreadId, &gui);
  return gui.hwndFocus;
}

// A held key lives in the key state the program's thread reads, which posted keys leave alone:
// the test shares that state while it holds the key, once the keys before are handled.
void RunningProgram::Hold(UINT heldKey, bool down) {
  Settle();
  AttachThreadInput(GetCurrentThreadId(), process_.dwThreadId, TRUE);
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[heldKey] = down ? 0x80 : 0;
  SetKeyboardState(state);
  AttachThreadInput(GetCurrentThreadId(), process_.dwThreadId, FALSE);
}

void RunningProgram::Stroke(HWND target, UINT key, UINT heldKey) {
  if (heldKey != 0) Hold(heldKey, true);
  LPARAM flags = 1 | static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  const bool alt = heldKey == VK_MENU;
  if (alt) flags |= 1 << 29;
  PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, flags);
  if (key == VK_F1) PostMessageA(target, kKeyF1Message, 0, 0);
  PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, key, flags | 0xC0000000);
  if (heldKey != 0) Hold(heldKey, false);
}

void RunningProgram::Press(UINT key, UINT heldKey) {
  if (HWND target = Focus()) {
    Stroke(target, key, heldKey);
    Settle();
  } else {
    ADD_FAILURE() << "no control has the focus";
  }
}

void RunningProgram::Type(const std::string& text) {
  HWND target = Focus();
  std::wstring letters(text.size(), L'\0');
  letters.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     letters.data(), static_cast<int>(letters.size())));
  for (wchar_t letter : letters) {
    const SHORT key = letter < 0x80 ? VkKeyScanW(letter) : -1;
    if (key != -1) {
      Stroke(target, LOBYTE(key), (HIBYTE(key) & 1) != 0 ? VK_SHIFT : 0);
    } else {
      // A letter this keyboard has no key for arrives as the character a keyboard of its
      // language would make, after the characters of the keys before it.
      Settle();
      PostMessageW(target, WM_CHAR, letter, 1);
    }
  }
  Settle();
}

void RunningProgram::Retype(const std::string& text) {
  Press(VK_HOME);
  Press(VK_END, VK_SHIFT);
  if (text.empty()) Press(VK_DELETE);
  Type(text);
}

void RunningProgram::TabTo(HWND dialog, int controlId) {
  HWND target = KeyTarget(GetDlgItem(dialog, controlId));
  for (int presses = 0; presses < 64; ++presses) {
    if (Focus() == target) return;
    Press(VK_TAB);
  }
  ADD_FAILURE() << "Tab never reached control " << controlId;
}

void RunningProgram::Click(HWND dialog, int controlId) {
  HWND target = KeyTarget(GetDlgItem(dialog, controlId));
  RECT area = {};
  GetClientRect(target, &area);
  ClickAt(target, {area.right / 2, area.bottom / 2});
}

void RunningProgram::ClickAt(HWND window, POINT clientPoint) {
  // The pointer goes where the click is, as a person's does: a pointer left elsewhere moves in
  // the system's own messages (a window showing under it) and takes the press off the button.
  POINT onScreen = clientPoint;
  ClientToScreen(window, &onScreen);
  SetCursorPos(onScreen.x, onScreen.y);
  const LPARAM at = MAKELPARAM(clientPoint.x, clientPoint.y);
  PostMessageA(window, WM_MOUSEMOVE, 0, at);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(window, WM_LBUTTONUP, 0, at);
  Settle();
}

std::string RunningProgram::AnswerMessage(UINT key) {
  HWND box = WaitForWindow(title_);
  if (box == nullptr) return "(no message)";
  const std::string text = ControlText(box, 0xFFFF);  // the message box's text
  // A key goes where the focus is: elsewhere it would act on the window behind the box.
  if (GetAncestor(Focus(), GA_ROOT) != box)
    ADD_FAILURE() << "the box \"" << text << "\" lacks the focus";
  Press(key);
  return text;
}

void RunningProgram::ChooseFile(const std::string& caption, const std::string& path) {
  HWND dialog = WaitForWindow(caption);
  if (dialog == nullptr) return;
  Retype(path);
  Press(VK_RETURN);
  if (IsWindowVisible(dialog)) ADD_FAILURE() << caption << " stayed open for " << path;
}

DWORD RunningProgram::WaitForExit() {
  if (WaitForSingleObject(process_.hProcess, kGiveUpMs) == WAIT_TIMEOUT) {
    ADD_FAILURE() << "the program did not end";
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, kGiveUpMs);
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::string ControlText(HWND dialog, int controlId) {
  std::string text(1 << 16, '\0');
  DWORD_PTR length = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, controlId), WM_GETTEXT, text.size(),
                      reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, kGiveUpMs, &length);
  text.resize(length);
  return text;
}
