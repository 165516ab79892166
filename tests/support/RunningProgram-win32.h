// A Windows program started as a process of its own and worked as a person works it: keys
// pressed on the control that has the focus, clicks on controls, its message boxes and file
// dialogs read and answered with the keyboard. Every wait has a deadline: a program that stops
// answering fails the test and is ended, never hangs it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

class RunningProgram {
 public:
  // Starts `program` with `startFolder` as its working folder.
  RunningProgram(const std::filesystem::path& program, const std::filesystem::path& startFolder);
  // Ends a program still running (the test has failed by then).
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // The program's visible top-level window with this caption, waited for; nullptr (and a
  // failure) when none shows.
  HWND WaitForWindow(const std::string& caption);
  // How many such windows show once the program has handled what it was sent.
  int Count(const std::string& caption);

  // A key pressed and released on the control with the focus, `heldKey` (VK_SHIFT, VK_MENU)
  // held down meanwhile. Characters come from the program's own message loop, as from a
  // keyboard.
  void Press(UINT key, UINT heldKey = 0);
  // UTF-8 text; letters without a key on this keyboard come as characters of their own.
  void Type(const std::string& text);
  // The focused field's text replaced as a person does it: Home, Shift+End, then the text (or
  // Delete, for none).
  void Retype(const std::string& text);
  // Tab until `controlId` of `dialog` (or the edit field of a combo box) has the focus; the
  // dialog then selects a field's text, so typing replaces it.
  void TabTo(HWND dialog, int controlId);
  // A left click at the centre of a control, or at a point of a window's client area.
  void Click(HWND dialog, int controlId);
  void ClickAt(HWND window, POINT clientPoint);

  // Waits until the program has handled everything sent to it and waits for the user.
  void Settle();
  // The control with the keyboard focus.
  HWND Focus();

  // The next message box (captioned with the program's file name without extension): its text,
  // answered with `key` (Enter: its default button).
  std::string AnswerMessage(UINT key = VK_RETURN);
  // The Open or Save As dialog: its file-name field cleared, the path typed, then Enter.
  void ChooseFile(const std::string& caption, const std::string& path);

  // The process's exit code once it has ended; a program that does not end is ended and fails.
  DWORD WaitForExit();
  bool Running() const;

 private:
  void Stroke(HWND target, UINT key, UINT heldKey);
  void Hold(UINT heldKey, bool down);

  std::string title_;
  PROCESS_INFORMATION process_ = {};
  HWND markList_ = nullptr;
  LRESULT marks_ = 0;
};

// A control's text, asked of the control (GetWindowText does not ask other processes' controls).
std::string ControlText(HWND dialog, int controlId);
