#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/MessageMap.h"
#include "ui/Window.h"
#include "widgets/ShadeFaces.h"
#include "widgets/ShadeRandom.h"

// An owner-drawn push button attached to an existing button control by subclassing. It
// paints its generated faces (or the plain face colour), 3-D borders, an optional icon
// and a one-line caption; shows a hover look while the mouse is over it; keeps the
// control's pushed state in step with the cursor while the left button is held; turns a
// double click into a second press; lets go of the mouse when it loses the focus.
class ShadeButton : public ui::Window {
 public:
  ShadeButton();
  ~ShadeButton() override;

  // Flat look: no border in the normal state unless the mouse is over the button.
  void SetFlatStyle(bool flat);

  // Loads icon iconId (low 16 bits) from the program's resources and places it for the
  // window's current size: BS_LEFT, BS_RIGHT, anything else BS_CENTER. False when there
  // is no such icon (the button then draws none).
  bool AssignIcon(unsigned iconId, unsigned placement);
  // The same with an icon already loaded; the button does not destroy it.
  bool AssignIcon(HICON iconHandle, unsigned placement);

  // Builds the four faces and the focus lines for the window's current size from the
  // system's button colours. Grain comes from the program's one generator, so buttons
  // generated one after the other get different grain and every run the same.
  void GenerateFaces(std::uint32_t kind, std::uint8_t grain, std::uint8_t hoverPercent,
                     std::uint8_t tintPercent, COLORREF tintColour);
  // The same with grain from the given generator.
  void GenerateFaces(std::uint32_t kind, std::uint8_t grain, std::uint8_t hoverPercent,
                     std::uint8_t tintPercent, COLORREF tintColour, ShadeRandom& random);

  void DrawItem(DRAWITEMSTRUCT* item) override;

  // State, for tests.
  const ShadeFaces& Faces() const { return faces; }
  bool HoverActive() const { return hoverActive; }

 protected:
  // Switches the control to owner drawing.
  void PreSubclassWindow() override;

 private:
  LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

  // While held: true when it sent BM_SETSTATE to match the cursor (a new paint follows).
  bool SyncPushedStateWithCursor();
  void PaintDisabled(HDC dc, const RECT& item, RECT caption, const char* text) const;
  void PaintPushed(HDC dc, const RECT& item, RECT& caption) const;
  void PaintNormal(HDC dc, RECT& item, UINT itemState) const;
  void PaintFocusMark(HDC dc, RECT item) const;
  void PaintIcon(HDC dc, int dx, int dy, UINT flags) const;

  ShadeFaces faces;
  bool hoverActive = false;
  bool pressActive = false;
  std::int16_t focusInset = 4;
  COLORREF textColour;
  HICON icon = nullptr;
  RECT iconRect = {0, 0, 0, 0};
  UINT textFormat = DT_CENTER;
  UINT iconPlacement = BS_CENTER;
  bool flatStyle = false;

  UI_DECLARE_MESSAGE_MAP()
};
