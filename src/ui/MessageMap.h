// Static message maps: each class lists the messages it handles, in order, and
// names its base class's map, which is searched after its own.
//
//   class Knob : public ui::Window {
//     UI_DECLARE_MESSAGE_MAP()
//     LRESULT OnEraseBkgnd(WPARAM, LPARAM) { return 1; }
//     LRESULT OnOkClicked(WPARAM, LPARAM) { ...; return 0; }
//   };
//
//   UI_BEGIN_MESSAGE_MAP(Knob, ui::Window)
//     ui::OnMessage(WM_ERASEBKGND, &Knob::OnEraseBkgnd),
//     ui::OnCommand(BN_CLICKED, IDOK, &Knob::OnOkClicked),
//   UI_END_MESSAGE_MAP()
#pragma once

#include <type_traits>

#include "ui/Window.h"

namespace ui {

// Handlers are members of classes derived from Window, stored as members of Window.
using MessageHandler = LRESULT (Window::*)(WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
  UINT message;
  UINT code;               // WM_COMMAND only: the notification code, HIWORD(wParam)
  UINT id;                 // WM_COMMAND only: the control or command id, LOWORD(wParam)
  MessageHandler handler;  // null ends the map
};

struct MessageMap {
  const MessageMap* base;
  const MessageMapEntry* entries;
};

// WM_COMMAND entries match the notification code and id; others the message alone.
constexpr bool EntryMatches(const MessageMapEntry& entry, UINT message, WPARAM wParam) {
  if (entry.message != message) return false;
  if (message != WM_COMMAND) return true;
  return entry.code == HIWORD(wParam) && entry.id == LOWORD(wParam);
}

template <class T>
constexpr MessageHandler AsHandler(LRESULT (T::*handler)(WPARAM, LPARAM)) {
  static_assert(std::is_base_of<Window, T>::value, "handlers are members of a Window class");
  return static_cast<MessageHandler>(handler);
}

template <class T>
constexpr MessageMapEntry OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
  return {message, 0, 0, AsHandler(handler)};
}

template <class T>
constexpr MessageMapEntry OnCommand(UINT code, UINT id, LRESULT (T::*handler)(WPARAM, LPARAM)) {
  return {WM_COMMAND, code, id, AsHandler(handler)};
}

constexpr MessageMapEntry EndOfMessageMap() { return {0, 0, 0, nullptr}; }

}  // namespace ui

// Inside the class: declares its map and overrides GetMessageMap; leaves access private.
#define UI_DECLARE_MESSAGE_MAP()                          \
 protected:                                               \
  static const ::ui::MessageMapEntry messageEntries[];    \
  static const ::ui::MessageMap messageMap;               \
  const ::ui::MessageMap* GetMessageMap() const override; \
                                                          \
 private:

// In the .cpp file: the entries follow, separated by commas.
#define UI_BEGIN_MESSAGE_MAP(Class, Base)                                                \
  const ::ui::MessageMap* Class::GetMessageMap() const { return &Class::messageMap; }    \
  const ::ui::MessageMap Class::messageMap = {&Base::messageMap, Class::messageEntries}; \
  const ::ui::MessageMapEntry Class::messageEntries[] = {
#define UI_END_MESSAGE_MAP() \
  ::ui::EndOfMessageMap()    \
  }                          \
  ;
