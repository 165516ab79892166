// A window handle with our own object behind it: attaching, subclassing and
// routing the window's messages through a static message map (see MessageMap.h).
#pragma once

#include <windows.h>

namespace ui {

struct MessageMap;
struct MessageMapEntry;

class Window {
 public:
  Window() = default;
  // Gives the window back its own procedure when still subclassed.
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND GetHandle() const { return hwnd; }
  operator HWND() const { return hwnd; }

  // The object attached to a window, or nullptr.
  static Window* FromHandle(HWND window);

  // Binds this object to the window without touching its procedure (for windows
  // whose procedure routes to us already, such as dialogs). False when either side
  // is already bound or the window is null.
  bool Attach(HWND window);
  // Unbinds; the handle that was attached.
  HWND Detach();

  // Attaches, runs PreSubclassWindow, then puts our procedure in front of the
  // window's own one, which gets every message the map does not take.
  bool Subclass(HWND window);
  // Restores the window's own procedure and detaches. False when not subclassed.
  bool Unsubclass();
  bool IsSubclassed() const { return originalProc != nullptr; }

  // Owner drawing: called for WM_DRAWITEM sent to the parent about this control.
  virtual void DrawItem(DRAWITEMSTRUCT* item);
  // For a parent's WM_DRAWITEM: hands the item to the control's own object.
  // False when the control has no object attached.
  static bool ReflectDrawItem(LPARAM drawItemParam);

  // Window style helpers; the frame-changed flags are passed to SetWindowPos when given.
  bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  void Invalidate(bool erase = true);
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

 protected:
  // The message map of the most derived class; each map names its base's map.
  virtual const MessageMap* GetMessageMap() const;
  static const MessageMapEntry messageEntries[];
  static const MessageMap messageMap;

  // Runs right after Attach and before the procedure is replaced.
  virtual void PreSubclassWindow();
  // Runs after the last message (WM_NCDESTROY) once the object is detached; may delete it.
  virtual void PostNcDestroy();

  // From a handler: default processing of the message being handled.
  LRESULT Default();
  // From a handler: the handler did not take the message; routing goes on with
  // the next matching entry, then default processing. The handler's result is dropped.
  void NotHandled();

  // Default processing of a message nobody took: the window's own procedure.
  LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);
  // Routes one message through the map. False when no handler took it. A handler may
  // destroy the object (say from PostNcDestroy); the caller must then not touch it.
  bool RouteMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Routes through the map, else default processing; detaches after WM_NCDESTROY.
  LRESULT WindowProcedure(UINT message, WPARAM wParam, LPARAM lParam);

  // Base map entry: reflects a child's WM_DRAWITEM to the child's object.
  LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);

 private:
  // The message being handled; messages sent from inside a handler nest.
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CurrentMessage* outer;
    bool notHandled;
    bool objectGone;  // the object was destroyed by a handler: touch nothing of it
  };
  bool Route(CurrentMessage& frame, LRESULT* result);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd = nullptr;
  WNDPROC originalProc = nullptr;
  CurrentMessage* current = nullptr;
};

}  // namespace ui
