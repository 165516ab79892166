#include "dialog/DroppedFiles-win32.h"

#include "dialog/ConvertDialogControls.h"

namespace {

struct GroupBoxSearch {
  RECT button;  // screen rectangle of a browse button
  RECT box;
  bool found;
};

// The group box around a control: group boxes have no id of their own to find them by.
bool GroupBoxAround(HWND dialog, int controlId, RECT* box) {
  GroupBoxSearch search{};
  if (!GetWindowRect(GetDlgItem(dialog, controlId), &search.button)) return false;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<GroupBoxSearch*>(param);
        if ((GetWindowLongPtrA(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX) return TRUE;
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        RECT rect;
        if (lstrcmpiA(className, "Button") != 0 || !GetWindowRect(child, &rect)) return TRUE;
        RECT overlap;
        if (!IntersectRect(&overlap, &rect, &s->button) || !EqualRect(&overlap, &s->button)) {
          return TRUE;
        }
        s->box = rect;
        s->found = true;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  *box = search.box;
  return search.found;
}

}  // namespace

DroppedFiles ReadDroppedFiles(HWND dialog, HDROP drop) {
  DroppedFiles dropped;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::string path(length + 1, '\0');
    path.resize(DragQueryFileA(drop, i, path.data(), length + 1));
    dropped.paths.push_back(path);
  }
  POINT point{};
  const bool inClientArea = DragQueryPoint(drop, &point) != FALSE;
  DragFinish(drop);
  ClientToScreen(dialog, &point);
  for (const GridProperty& property : kGridProperties) {
    RECT box;
    if (inClientArea &&
        GroupBoxAround(dialog, kPropertyControls[property.kind].browseButton, &box) &&
        PtInRect(&box, point)) {
      dropped.onPropertyBox = true;
      dropped.property = property.kind;
    }
  }
  return dropped;
}
