// Message boxes and file dialogs answered from a script, for tests that run real dialogs:
// the dialog window is the program's own, only what it asks the user is played by the test.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/CommonDialogs.h"

class ScriptedCommonDialogs : public ui::CommonDialogs {
 public:
  struct Message {
    HWND owner;
    std::string text;
  };
  struct FileDialogCall {
    HWND owner;
    bool save;
    FileDialogRequest request;
  };

  std::vector<Message> messages;
  std::vector<FileDialogCall> fileDialogs;
  // Runs while a message box would be open (the test may look at the dialog then).
  std::function<void(const Message&)> onMessage;

  // The next file dialog chooses `fullPath` (a confirmed choice makes its folder current, as
  // the system's dialogs do); CancelFileDialog makes the next one end with Cancel.
  void AnswerFileDialog(const std::string& fullPath) { answers_.push_back(fullPath); }
  void CancelFileDialog() { answers_.push_back(std::nullopt); }
  std::size_t UnusedAnswers() const { return answers_.size(); }

  void ShowMessage(HWND owner, const std::string& text) override {
    messages.push_back({owner, text});
    if (onMessage) onMessage(messages.back());
  }
  // Questions are recorded with the messages and answered with `answer`.
  bool answer = true;
  bool AskYesNo(HWND owner, const std::string& text) override {
    ShowMessage(owner, text);
    return answer;
  }
  FileDialogResult RunOpenFileDialog(HWND owner, const FileDialogRequest& request) override {
    return Answer(owner, false, request);
  }
  FileDialogResult RunSaveFileDialog(HWND owner, const FileDialogRequest& request) override {
    return Answer(owner, true, request);
  }

 private:
  FileDialogResult Answer(HWND owner, bool save, const FileDialogRequest& request) {
    fileDialogs.push_back({owner, save, request});
    FileDialogResult result;
    if (answers_.empty()) return result;  // an unexpected dialog is cancelled
    std::optional<std::string> answer = answers_.front();
    answers_.pop_front();
    if (!answer) return result;
    const std::size_t slash = answer->find_last_of("\\/");
    result.confirmed = true;
    result.fullPath = *answer;
    result.folder = slash == std::string::npos ? std::string() : answer->substr(0, slash);
    result.fileName = slash == std::string::npos ? *answer : answer->substr(slash + 1);
    if (!result.folder.empty()) SetCurrentDirectoryA(result.folder.c_str());
    return result;
  }

  std::deque<std::optional<std::string>> answers_;
};
