#include "dialog/ReadingChoices.h"

#include <cstdint>
#include <iterator>
#include <optional>
#include <tuple>
#include <utility>

#include "dialog/ConvertDialogControls.h"
#include "dialog/PropertyFiles.h"
#include "grid/NumberText.h"
#include "textgrid/TextGridForm.h"
#include "ui/DialogWindow.h"

namespace {

// The entries of the list of forms, in their order: the first reads the form told from the text.
const std::pair<const char*, std::optional<TextForm>> kForms[] = {
    {"as told from the text", std::nullopt},     {"plain text grid", TextForm::kPlain},
    {"ESRI ASCII grid", TextForm::kEsri},        {"Surfer ASCII grid", TextForm::kSurfer},
    {"x z value triplets", TextForm::kTriplets}, {"matrix with axes", TextForm::kMatrix}};

// A skip field's number; false when its text is none.
bool TakeSkip(const DialogWindow& window, int field, std::uint32_t& skip) {
  const std::string text = window.GetControlText(field);
  std::int32_t value = 0;
  if (WithoutBlanks(text).empty()) {
    skip = 0;
    return true;
  }
  if (!ReadInt32(text, &value) || value < 0) return false;
  skip = static_cast<std::uint32_t>(value);
  return true;
}

// Of the choices the dialog offers.
bool Same(const TextReadingChoices& a, const TextReadingChoices& b) {
  return a.decimalComma == b.decimalComma && a.order == b.order && a.flipZ == b.flipZ &&
         a.form == b.form && a.skipRows == b.skipRows && a.skipColumns == b.skipColumns &&
         a.coordinatesInKm == b.coordinatesInKm;
}

}  // namespace

void ReadingChoices::InitControls() {
  window_.ResetComboList(kFormCombo);
  for (const auto& [name, form] : kForms) window_.AddComboString(kFormCombo, name);
  ShowCurrent();
}

CheckedReading ReadingChoices::Checked() const {
  CheckedReading checked;
  TextReadingChoices& c = checked.choices;
  c.order = window_.IsChecked(kColumnsCheck) ? ValueOrder::kColumns : ValueOrder::kRows;
  c.flipZ = window_.IsChecked(kFlipZCheck);
  c.decimalComma = window_.IsChecked(kDecimalCommaCheck);
  c.coordinatesInKm = window_.IsChecked(kKmCheck);
  const int form = window_.GetComboSelection(kFormCombo);
  if (form > 0 && form < static_cast<int>(std::size(kForms))) c.form = kForms[form].second;
  for (const auto& [field, skip, name] :
       {std::tuple{kSkipColumnsField, &c.skipColumns, "Skip columns"},
        std::tuple{kSkipRowsField, &c.skipRows, "Skip rows"}}) {
    if (TakeSkip(window_, field, *skip)) continue;
    checked.status =
        Status::Error(std::string("\"") + name + "\" needs a whole number of 0 or more, not \"" +
                      window_.GetControlText(field) + "\".");
    checked.refusedField = field;
    break;
  }
  return checked;
}

bool ReadingChoices::Changed() const {
  const CheckedReading checked = Checked();
  return !checked.status.ok() || !Same(checked.choices, current_);
}

void ReadingChoices::ShowCurrent() {
  window_.SetChecked(kColumnsCheck, current_.order == ValueOrder::kColumns);
  window_.SetChecked(kFlipZCheck, current_.flipZ);
  window_.SetChecked(kDecimalCommaCheck, current_.decimalComma);
  window_.SetChecked(kKmCheck, current_.coordinatesInKm);
  int form = 0;
  for (std::size_t i = 1; i < std::size(kForms); ++i) {
    if (kForms[i].second == current_.form) form = static_cast<int>(i);
  }
  window_.SetComboSelection(kFormCombo, form);
  window_.SetControlText(kSkipColumnsField, FormatInteger(current_.skipColumns));
  window_.SetControlText(kSkipRowsField, FormatInteger(current_.skipRows));
}

void ReadingChoices::ShowReading(const PropertyFile* file) {
  std::string text;
  if (file != nullptr) {
    const std::string reading = DescribeReading(file->form);
    text = file->name + ": " + (reading.empty() ? file->form.name : reading);
  }
  window_.SetControlText(kReadingText, text);
}
