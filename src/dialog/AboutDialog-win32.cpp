#include "dialog/AboutDialog-win32.h"

#include "dialog/HelpText.h"
#include "resource.h"
#include "ui/DataExchange.h"

AboutDialog::AboutDialog(ui::CommonDialogs& dialogs) : Dialog(IDD_ABOUT, dialogs) {}

AboutDialog::AboutDialog(ui::CommonDialogs& dialogs, const ui::Window& owner)
    : Dialog(IDD_ABOUT, dialogs), owner_(&owner) {}

bool AboutDialog::CreateModeless() {
  return Create(owner_ != nullptr ? owner_->GetHandle() : nullptr);
}

bool AboutDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  // A static control breaks lines only at CR LF.
  helpText = WithCrLf(HelpText());
  ShowMembers();
  // The help text takes the keys that scroll it, with nothing selected.
  HWND text = GetDlgItem(GetHandle(), IDC_HELP_TEXT);
  SetFocus(text);
  SendMessageA(text, EM_SETSEL, 0, 0);
  return false;
}

void AboutDialog::DoDataExchange(DataExchange& exchange) { exchange.Text(IDC_HELP_TEXT, helpText); }

void AboutDialog::OnOK() { OnCancel(); }

void AboutDialog::OnCancel() {
  if (IsModal()) {
    Dialog::OnCancel();
    return;
  }
  if (owner_ != nullptr) PostMessageA(owner_->GetHandle(), WM_ABOUT_CLOSED, 0, 0);
  if (GetHandle() != nullptr) DestroyWindow(GetHandle());
}
