#include "support/FakeDialogWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "dialog/ConvertDialogControls.h"

namespace fs = std::filesystem;

const std::set<int> FakeDialogWindow::kDisabledByTemplate = {
    kVpCountField,    kVpMinField,      kVpMaxField,   kDensityCountField, kDensityMinField,
    kDensityMaxField, kInputCountField, kVsCountField, kVsMinField,        kVpUnitsCombo,
    kXSizeCombo,      kNzInputField,    kVsMaxField,   kDensityUnitsCombo, kVsUnitsCombo,
    kWriteCountField, kNxWriteField,    kNzWriteField, kPictureCombo,      kXFromField,
    kZFromField,      kVsRatioField,    kWaterVpField, kWaterDensityField, kSkipBytesField};

FakeDialogWindow::FakeDialogWindow(Folders& folders)
    : texts_{{kVpNameText, "*.txt"},
             {kDensityNameText, "*.txt"},
             {kVsNameText, "*.txt"},
             {kOutputNameText, "*.mvg"}},
      disabled_(kDisabledByTemplate),
      folders_(folders) {}

void FakeDialogWindow::Type(int controlId, const std::string& text) {
  texts_[controlId] = text;
  typed_.insert(controlId);
  auto combo = combos_.find(controlId);
  if (combo != combos_.end()) combo->second.selection = -1;
}

std::string FakeDialogWindow::GetControlText(int controlId) const {
  auto found = texts_.find(controlId);
  return found == texts_.end() ? std::string() : found->second;
}

void FakeDialogWindow::SetControlText(int controlId, const std::string& text) {
  if (texts_[controlId] != text) typed_.erase(controlId);
  texts_[controlId] = text;
}

void FakeDialogWindow::EnableControl(int controlId, bool enable) {
  if (enable) {
    disabled_.erase(controlId);
  } else {
    disabled_.insert(controlId);
  }
}

void FakeDialogWindow::ResetComboList(int controlId) {
  combos_[controlId] = Combo();
  texts_[controlId].clear();
}

int FakeDialogWindow::AddComboString(int controlId, const std::string& text) {
  Combo& combo = combos_[controlId];
  combo.items.push_back(text);
  return static_cast<int>(combo.items.size()) - 1;
}

void FakeDialogWindow::SetComboSelection(int controlId, int index) {
  Combo& combo = combos_[controlId];
  if (index < 0 || index >= static_cast<int>(combo.items.size())) {
    combo.selection = -1;
    texts_[controlId].clear();
    return;
  }
  combo.selection = index;
  texts_[controlId] = combo.items[static_cast<std::size_t>(index)];
}

int FakeDialogWindow::GetComboSelection(int controlId) const {
  auto found = combos_.find(controlId);
  return found == combos_.end() ? -1 : found->second.selection;
}

void FakeDialogWindow::SetChecked(int controlId, bool checked) {
  if (checked) {
    checked_.insert(controlId);
  } else {
    checked_.erase(controlId);
  }
}

void FakeDialogWindow::ShowMessage(const std::string& text) { messages.push_back(text); }

bool FakeDialogWindow::AskYesNo(const std::string& text) {
  messages.push_back(text);
  if (yesNoAnswers_.empty()) return false;
  const bool yes = yesNoAnswers_.front();
  yesNoAnswers_.pop_front();
  return yes;
}

FileDialogResult FakeDialogWindow::RunOpenFileDialog(const FileDialogRequest& request) {
  return Answer(false, request);
}

FileDialogResult FakeDialogWindow::RunSaveFileDialog(const FileDialogRequest& request) {
  return Answer(true, request);
}

FileDialogResult FakeDialogWindow::Answer(bool save, const FileDialogRequest& request) {
  fileDialogs.push_back({save, request});
  FileDialogResult result;
  if (answers_.empty()) {
    ADD_FAILURE() << "a file dialog ran that the test did not expect";
    return result;
  }
  std::optional<std::string> answer = answers_.front();
  answers_.pop_front();
  if (!answer) return result;
  fs::path chosen(*answer);
  result.confirmed = true;
  result.fullPath = chosen.string();
  result.folder = chosen.parent_path().string();
  result.fileName = chosen.filename().string();
  folders_.ChangeCurrent(chosen.parent_path().string());
  return result;
}

std::vector<std::string> FakeDialogWindow::ComboItems(int controlId) const {
  auto found = combos_.find(controlId);
  return found == combos_.end() ? std::vector<std::string>() : found->second.items;
}
