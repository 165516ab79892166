#include <string>

#include "widgets/ShadeButton.h"

namespace {

void FillSolid(HDC dc, LONG left, LONG top, LONG right, LONG bottom, COLORREF colour) {
  const COLORREF previous = SetBkColor(dc, colour);
  const RECT area = {left, top, right, bottom};
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}

// A one-pixel frame: top and left lines in one colour, right and bottom in the other.
void Draw3dRect(HDC dc, const RECT& frame, COLORREF topLeft, COLORREF bottomRight) {
  FillSolid(dc, frame.left, frame.top, frame.right - 1, frame.top + 1, topLeft);
  FillSolid(dc, frame.left, frame.top, frame.left + 1, frame.bottom - 1, topLeft);
  FillSolid(dc, frame.right - 1, frame.top, frame.right, frame.bottom, bottomRight);
  FillSolid(dc, frame.left, frame.bottom - 1, frame.right, frame.bottom, bottomRight);
}

void FillFaceColour(HDC dc, const RECT& area) {
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
}

void Edge(HDC dc, RECT area, UINT edge) { DrawEdge(dc, &area, edge, BF_RECT); }

// The caption is clipped to its rectangle; one that an icon has squeezed to nothing or
// turned upside down shows nothing.
void Caption(HDC dc, const std::string& text, RECT area, UINT format, COLORREF colour) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  SetTextColor(dc, colour);
  DrawTextA(dc, text.c_str(), -1, &area, format | DT_VCENTER | DT_SINGLELINE);
}

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
  return text;
}

}  // namespace

bool ShadeButton::SyncPushedStateWithCursor() {
  if (!pressActive || GetCapture() != *this) return false;
  POINT cursor;
  if (!GetCursorPos(&cursor)) return false;
  const bool over = WindowFromPoint(cursor) == *this;
  const bool pushed = (Send(BM_GETSTATE) & BST_PUSHED) != 0;
  if (over == pushed) return false;
  Send(BM_SETSTATE, over ? TRUE : FALSE);  // brings a paint of its own
  return true;
}

void ShadeButton::DrawItem(DRAWITEMSTRUCT* item) {
  if (item == nullptr || SyncPushedStateWithCursor()) return;
  HDC dc = item->hDC;
  RECT area = item->rcItem;
  RECT caption = {area.left + focusInset + 2, area.top, area.right - focusInset - 2, area.bottom};
  const std::string text = WindowText(*this);
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);

  if (icon != nullptr) {
    const LONG iconWidth = iconRect.right - iconRect.left;
    if (iconPlacement == BS_LEFT) {
      caption.left += iconWidth;
    } else if (iconPlacement == BS_RIGHT) {
      caption.right -= iconWidth;
    } else {
      caption.top += iconRect.bottom;
      caption.bottom -= focusInset + 1;
    }
  }

  if (item->itemState & ODS_DISABLED) {
    PaintDisabled(dc, area, caption, text.c_str());
  } else {
    if (item->itemState & ODS_SELECTED) {
      PaintPushed(dc, area, caption);
    } else {
      PaintNormal(dc, area, item->itemState);
    }
    if ((item->itemState & ODS_FOCUS) && focusInset > 0) PaintFocusMark(dc, area);
    Caption(dc, text, caption, textFormat, textColour);
  }
  RestoreDC(dc, saved);
}

void ShadeButton::PaintIcon(HDC dc, int dx, int dy, UINT flags) const {
  if (icon == nullptr) return;
  DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, iconRect.left + dx,
             iconRect.top + dy, iconRect.right - iconRect.left, iconRect.bottom - iconRect.top,
             flags);
}

void ShadeButton::PaintDisabled(HDC dc, const RECT& item, RECT caption, const char* text) const {
  if (!faces.disabledFace.Paint(dc, 0, 0)) FillFaceColour(dc, item);
  PaintIcon(dc, 0, 0, DST_ICON | DSS_DISABLED);
  if (!flatStyle) Edge(dc, item, EDGE_RAISED);
  // Embossed: the caption in the highlight colour, the grey one a pixel up and left on it.
  Caption(dc, text, caption, textFormat, GetSysColor(COLOR_BTNHIGHLIGHT));
  OffsetRect(&caption, -1, -1);
  Caption(dc, text, caption, textFormat, GetSysColor(COLOR_GRAYTEXT));
}

void ShadeButton::PaintPushed(HDC dc, const RECT& item, RECT& caption) const {
  if (!faces.pressedFace.Paint(dc, 1, 1)) FillFaceColour(dc, item);
  PaintIcon(dc, 1, 1, DST_ICON);
  OffsetRect(&caption, 1, 1);
  if (flatStyle) {
    Draw3dRect(dc, item, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  } else {
    Edge(dc, item, EDGE_SUNKEN);
  }
}

void ShadeButton::PaintNormal(HDC dc, RECT& item, UINT itemState) const {
  if (faces.normalFace.HasImage()) {
    const bool hover = hoverActive && faces.hoverFace.HasImage();
    (hover ? faces.hoverFace : faces.normalFace).Paint(dc, 0, 0);
  } else {
    FillFaceColour(dc, item);
  }
  PaintIcon(dc, 0, 0, DST_ICON);
  if (!hoverActive && flatStyle) return;
  if (itemState & ODS_DEFAULT) {
    Edge(dc, item, EDGE_SUNKEN);
    InflateRect(&item, -1, -1);  // the focus mark moves in with the inner edge
    Edge(dc, item, EDGE_RAISED);
  } else if (flatStyle) {
    Draw3dRect(dc, item, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
  } else {
    Edge(dc, item, EDGE_RAISED);
  }
}

void ShadeButton::PaintFocusMark(HDC dc, RECT item) const {
  InflateRect(&item, -focusInset, -focusInset);
  faces.focusLineH.Paint(dc, item.left + 1, item.top);
  faces.focusLineH.Paint(dc, item.left + 1, item.bottom);
  faces.focusLineV.Paint(dc, item.left, item.top + 1);
  faces.focusLineV.Paint(dc, item.right, item.top + 1);
}
