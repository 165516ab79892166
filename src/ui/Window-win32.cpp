#include "ui/Window.h"

#include "ui/MessageMap.h"

namespace ui {

namespace {
// The window property that holds the attached object.
const char kObjectProperty[] = "MorvTxtMvg.Window";
}  // namespace

const MessageMapEntry Window::messageEntries[] = {
    OnMessage(WM_DRAWITEM, &Window::OnDrawItem),
    EndOfMessageMap(),
};

const MessageMap Window::messageMap = {nullptr, Window::messageEntries};

Window::~Window() {
  // Handlers of this object still on the stack must not touch it when they return.
  for (CurrentMessage* frame = current; frame != nullptr; frame = frame->outer) {
    frame->objectGone = true;
  }
  if (IsSubclassed()) {
    Unsubclass();
  } else if (hwnd != nullptr) {
    Detach();
  }
}

const MessageMap* Window::GetMessageMap() const { return &messageMap; }

Window* Window::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<Window*>(GetPropA(window, kObjectProperty));
}

bool Window::Attach(HWND window) {
  if (window == nullptr || hwnd != nullptr || FromHandle(window) != nullptr) return false;
  if (!SetPropA(window, kObjectProperty, this)) return false;
  hwnd = window;
  return true;
}

HWND Window::Detach() {
  HWND window = hwnd;
  if (window != nullptr) RemovePropA(window, kObjectProperty);
  hwnd = nullptr;
  return window;
}

bool Window::Subclass(HWND window) {
  if (!Attach(window)) return false;
  PreSubclassWindow();
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProc)));
  if (previous == nullptr) {
    Detach();
    return false;
  }
  originalProc = previous;
  return true;
}

bool Window::Unsubclass() {
  if (!IsSubclassed()) return false;
  if (hwnd != nullptr) {
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc));
  }
  originalProc = nullptr;
  Detach();
  return true;
}

void Window::DrawItem(DRAWITEMSTRUCT*) {}

bool Window::ReflectDrawItem(LPARAM drawItemParam) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(drawItemParam);
  // Menu items carry a menu handle, not a window.
  if (item == nullptr || item->CtlType == ODT_MENU) return false;
  Window* control = FromHandle(item->hwndItem);
  if (control == nullptr) return false;
  control->DrawItem(item);
  return true;
}

bool Window::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
  if (hwnd == nullptr) return false;
  DWORD style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
  DWORD changed = (style & ~remove) | add;
  if (changed == style) return false;
  SetWindowLongPtrA(hwnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
  if (swpFlags != 0) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
  }
  return true;
}

void Window::Invalidate(bool erase) {
  if (hwnd != nullptr) InvalidateRect(hwnd, nullptr, erase ? TRUE : FALSE);
}

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(hwnd, message, wParam, lParam);
}

bool Window::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
  return PostMessageA(hwnd, message, wParam, lParam) != FALSE;
}

void Window::PreSubclassWindow() {}

void Window::PostNcDestroy() {}

LRESULT Window::Default() {
  if (current == nullptr) return 0;
  return DefaultProcessing(current->message, current->wParam, current->lParam);
}

void Window::NotHandled() {
  if (current != nullptr) current->notHandled = true;
}

LRESULT Window::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
  if (originalProc != nullptr) return CallWindowProcA(originalProc, hwnd, message, wParam, lParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool Window::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  CurrentMessage frame{message, wParam, lParam, current, false, false};
  current = &frame;
  const bool taken = Route(frame, result);
  if (!frame.objectGone) current = frame.outer;
  return taken;
}

bool Window::Route(CurrentMessage& frame, LRESULT* result) {
  for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
    for (const MessageMapEntry* entry = map->entries; entry->handler != nullptr; ++entry) {
      if (!EntryMatches(*entry, frame.message, frame.wParam)) continue;
      frame.notHandled = false;
      const LRESULT handled = (this->*(entry->handler))(frame.wParam, frame.lParam);
      if (frame.objectGone || !frame.notHandled) {
        *result = handled;
        return true;
      }
    }
  }
  return false;
}

LRESULT Window::WindowProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
  CurrentMessage frame{message, wParam, lParam, current, false, false};
  current = &frame;
  LRESULT result = 0;
  if (!Route(frame, &result) && !frame.objectGone) {
    result = DefaultProcessing(message, wParam, lParam);
  }
  if (frame.objectGone) return result;
  current = frame.outer;
  if (message == WM_NCDESTROY) {
    // The window is gone: let go of it before the object hears of it.
    if (IsSubclassed()) {
      Unsubclass();
    } else {
      Detach();
    }
    PostNcDestroy();
  }
  return result;
}

LRESULT Window::OnDrawItem(WPARAM, LPARAM lParam) {
  if (ReflectDrawItem(lParam)) return TRUE;
  NotHandled();
  return 0;
}

LRESULT CALLBACK Window::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(window);
  if (self == nullptr || !self->IsSubclassed()) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->WindowProcedure(message, wParam, lParam);
}

}  // namespace ui
