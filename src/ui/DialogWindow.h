#pragma once

#include <functional>
#include <string>

// What a common file dialog is asked to show.
struct FileDialogRequest {
  std::string initialFileName;    // may hold a folder: "C:\models\*.txt"
  std::string filterDescription;  // "Text files"
  std::string filterPattern;      // "*.txt"; "*.txt;*.gz" for several
  // A second entry of the filter list, when `alsoAll`: "All files" (*.*).
  bool alsoAll = false;
  std::string title = {};  // the dialog's caption; empty: the system's ("Open")
  // No default extension, no existence checks, no overwrite prompt: the caller decides what a
  // name means.
};

// What the user chose. A confirmed dialog leaves the process's current folder at `folder`,
// as the platform's file dialogs do (so a Win32 implementation must not ask them to keep it).
struct FileDialogResult {
  bool confirmed = false;
  std::string fullPath;  // folder, separator and name
  std::string folder;
  std::string fileName;  // the name alone, as typed or picked
};

// The few things the dialog's logic asks of its window. Controls are named by their ids.
// The Win32 dialog implements it; tests use an in-memory one.
class DialogWindow {
 public:
  virtual ~DialogWindow() = default;

  // The text a control shows; for a combo box, the text of its edit field.
  virtual std::string GetControlText(int controlId) const = 0;
  virtual void SetControlText(int controlId, const std::string& text) = 0;
  // Whether the user changed an edit field's text since the program last set it to another text.
  virtual bool IsTyped(int controlId) const = 0;

  virtual void EnableControl(int controlId, bool enable) = 0;
  // Moves the keyboard focus to a control, its text selected, as Tab does: to point at a field
  // whose value was refused.
  virtual void FocusControl(int controlId) = 0;

  // Combo box lists (unsorted). Selecting -1 removes the selection and empties the edit field;
  // selecting an item shows its text in the edit field. GetComboSelection is -1 when none.
  virtual void ResetComboList(int controlId) = 0;
  virtual int AddComboString(int controlId, const std::string& text) = 0;  // index of the new item
  virtual void SetComboSelection(int controlId, int index) = 0;
  virtual int GetComboSelection(int controlId) const = 0;

  // Check boxes: a click checks or clears one by itself; setting it sends no notification.
  virtual bool IsChecked(int controlId) const = 0;
  virtual void SetChecked(int controlId, bool checked) = 0;

  // A modal message box with an OK button only; the caption is the program's.
  virtual void ShowMessage(const std::string& text) = 0;

  // A modal message box asking a question, with Yes and No; true for Yes. No is the default
  // button: Enter answers No, so that a question is never answered without being read.
  virtual bool AskYesNo(const std::string& text) = 0;
  // While one of these boxes is up it holds the focus, which it took from a control: a check
  // that runs when a control loses the focus must not run for that.
  virtual bool IsShowingMessage() const = 0;

  // The wait cursor, while a file is read or written.
  virtual void ShowWaitCursor(bool on) = 0;

  // Runs `work` once the user pauses a moment (a later call replaces work still waiting), so
  // that what is too slow to redo on every key typed follows the typing all the same.
  virtual void WhenPaused(std::function<void()> work) = 0;

  // Modal open and save dialogs.
  virtual FileDialogResult RunOpenFileDialog(const FileDialogRequest& request) = 0;
  virtual FileDialogResult RunSaveFileDialog(const FileDialogRequest& request) = 0;
};
