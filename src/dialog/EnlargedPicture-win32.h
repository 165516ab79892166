// The model's picture in a window of its own (template IDD_MODEL_PICTURE), opened by a click on
// the dialog's picture beside the dialog: modeless, resizable, drawn again at each size; Esc,
// Enter or its close box close it.
#pragma once

#include <windows.h>

#include "ui/Dialog.h"
#include "widgets/PictureControl-win32.h"

// Posted by the window to its owner when it closes; both parameters are 0.
inline constexpr UINT WM_PICTURE_CLOSED = WM_USER + 11;

class EnlargedPicture : public ui::Dialog {
 public:
  // `owner` owns the window and hears WM_PICTURE_CLOSED; `painter` draws the picture at a size;
  // the window opens with a client area of `size` pixels, beside the owner within the screen (as
  // large as the room there allows, down to half that size).
  EnlargedPicture(ui::CommonDialogs& dialogs, const ui::Window& owner,
                  PictureControl::Painter painter, SIZE size);

  // Creates and shows the window. False when it could not be created.
  bool Open();
  // The picture has changed.
  void Redraw() { picture_.Redraw(); }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  LRESULT OnSize(WPARAM wParam, LPARAM lParam);

  const ui::Window& owner_;
  PictureControl::Painter painter_;
  SIZE size_;
  PictureControl picture_;

  UI_DECLARE_MESSAGE_MAP()
};
