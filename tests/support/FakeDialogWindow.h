#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "system/Folders.h"
#include "ui/DialogWindow.h"

// The conversion dialog's window in memory: control texts, enabled flags as the template sets
// them, combo lists that behave as the real ones (typing clears the selection), the message
// boxes shown, and file dialogs answered from a script. A confirmed file dialog makes the chosen
// file's folder current, as the platform's do.
class FakeDialogWindow : public DialogWindow {
 public:
  explicit FakeDialogWindow(Folders& folders);

  std::string GetControlText(int controlId) const override;
  // As the real window: setting the text it shows already leaves the field typed.
  void SetControlText(int controlId, const std::string& text) override;
  bool IsTyped(int controlId) const override { return typed_.count(controlId) != 0; }
  void EnableControl(int controlId, bool enable) override;
  void FocusControl(int controlId) override { focused = controlId; }
  void ResetComboList(int controlId) override;
  int AddComboString(int controlId, const std::string& text) override;
  void SetComboSelection(int controlId, int index) override;
  int GetComboSelection(int controlId) const override;
  bool IsChecked(int controlId) const override { return checked_.count(controlId) != 0; }
  void SetChecked(int controlId, bool checked) override;
  void ShowMessage(const std::string& text) override;
  // Questions are recorded with the messages and answered as the test scripted (No when not).
  bool AskYesNo(const std::string& text) override;
  bool IsShowingMessage() const override { return false; }
  void ShowWaitCursor(bool) override {}
  // No pause to wait for: the work runs at once.
  void WhenPaused(std::function<void()> work) override { work(); }
  FileDialogResult RunOpenFileDialog(const FileDialogRequest& request) override;
  FileDialogResult RunSaveFileDialog(const FileDialogRequest& request) override;

  // The user's side.
  // Replaces the text as typing does; in a combo box's field that drops the list's selection.
  void Type(int controlId, const std::string& text);
  // A check box clicked: checked or cleared, as the real one does before it notifies.
  void Click(int controlId) { SetChecked(controlId, !IsChecked(controlId)); }
  void AnswerFileDialog(const std::string& fullPath) { answers_.push_back(fullPath); }
  void CancelFileDialog() { answers_.push_back(std::nullopt); }
  void AnswerQuestion(bool yes) { yesNoAnswers_.push_back(yes); }
  std::size_t UnusedAnswers() const { return answers_.size(); }

  std::vector<std::string> ComboItems(int controlId) const;
  const std::set<int>& DisabledControls() const { return disabled_; }
  // Every field but the steps, the new steps, the border and the skips of rows and columns, and
  // the five lists of units, X size and picture.
  static const std::set<int> kDisabledByTemplate;

  struct FileDialogCall {
    bool save = false;
    FileDialogRequest request;
  };
  std::vector<FileDialogCall> fileDialogs;
  std::vector<std::string> messages;
  int focused = 0;  // the control the dialog moved the focus to last

 private:
  FileDialogResult Answer(bool save, const FileDialogRequest& request);

  struct Combo {
    std::vector<std::string> items;
    int selection = -1;
  };
  std::map<int, std::string> texts_;  // a combo box's text is its edit field's
  std::set<int> disabled_;
  std::set<int> checked_;
  std::set<int> typed_;
  std::map<int, Combo> combos_;
  Folders& folders_;
  std::deque<bool> yesNoAnswers_;
  std::deque<std::optional<std::string>> answers_;
};
