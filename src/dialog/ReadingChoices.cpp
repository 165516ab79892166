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

// The entries of the list of forms, in their order: the first reads the form told from the file's
// bytes, text or binary.
const std::pair<const char*, std::optional<TextForm>> kForms[] = {
    {"as told from the file", std::nullopt},     {"plain text grid", TextForm::kPlain},
    {"ESRI ASCII grid", TextForm::kEsri},        {"Surfer ASCII grid", TextForm::kSurfer},
    {"x z value triplets", TextForm::kTriplets}, {"matrix with axes", TextForm::kMatrix}};

// The entries of the list of raw types, in their order, named as mvgtool's --raw names them.
const std::pair<const char*, RawType> kRawTypes[] = {{"none", RawType::kNone},
                                                     {"f32le", RawType::kF32Le},
                                                     {"f32be", RawType::kF32Be},
                                                     {"f64le", RawType::kF64Le},
                                                     {"f64be", RawType::kF64Be}};

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
         a.coordinatesInKm == b.coordinatesInKm && a.raw == b.raw && a.skipBytes == b.skipBytes;
}

RawType ChosenRaw(const DialogWindow& window) {
  const int raw = window.GetComboSelection(kRawCombo);
  return raw > 0 && raw < static_cast<int>(std::size(kRawTypes)) ? kRawTypes[raw].second
                                                                 : RawType::kNone;
}

}  // namespace

void ReadingChoices::InitControls() {
  window_.ResetComboList(kFormCombo);
  for (const auto& [name, form] : kForms) window_.AddComboString(kFormCombo, name);
  window_.ResetComboList(kRawCombo);
  for (const auto& [name, raw] : kRawTypes) window_.AddComboString(kRawCombo, name);
  ShowCurrent();
}

void ReadingChoices::Take(const TextReadingChoices& choices) {
  current_ = choices;
  // A field the choices leave aside shows what they take from it.
  ShowCurrent();
}

void ReadingChoices::EnableChosenFields() {
  const bool raw = ChosenRaw(window_) != RawType::kNone;
  window_.EnableControl(kFormCombo, !raw);
  window_.EnableControl(kSkipBytesField, raw);
}

CheckedReading ReadingChoices::Checked() const {
  CheckedReading checked;
  TextReadingChoices& c = checked.choices;
  c.order = window_.IsChecked(kColumnsCheck) ? ValueOrder::kColumns : ValueOrder::kRows;
  c.flipZ = window_.IsChecked(kFlipZCheck);
  c.decimalComma = window_.IsChecked(kDecimalCommaCheck);
  c.coordinatesInKm = window_.IsChecked(kKmCheck);
  c.raw = ChosenRaw(window_);
  const int form = window_.GetComboSelection(kFormCombo);
  if (c.raw == RawType::kNone && form > 0 && form < static_cast<int>(std::size(kForms))) {
    c.form = kForms[form].second;
  }
  std::uint32_t skipBytes = 0;
  for (const auto& [field, skip, name] :
       {std::tuple{kSkipColumnsField, &c.skipColumns, "Skip columns"},
        std::tuple{kSkipRowsField, &c.skipRows, "Skip rows"},
        std::tuple{kSkipBytesField, &skipBytes, "Skip bytes"}}) {
    if (field == kSkipBytesField && c.raw == RawType::kNone) continue;
    if (TakeSkip(window_, field, *skip)) continue;
    checked.status =
        Status::Error(std::string("\"") + name + "\" needs a whole number of 0 or more, not \"" +
                      window_.GetControlText(field) + "\".");
    checked.refusedField = field;
    break;
  }
  c.skipBytes = skipBytes;
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
  int raw = 0;
  for (std::size_t i = 0; i < std::size(kRawTypes); ++i) {
    if (kRawTypes[i].second == current_.raw) raw = static_cast<int>(i);
  }
  window_.SetComboSelection(kRawCombo, raw);
  window_.SetControlText(kSkipColumnsField, FormatInteger(current_.skipColumns));
  window_.SetControlText(kSkipRowsField, FormatInteger(current_.skipRows));
  window_.SetControlText(kSkipBytesField,
                         FormatInteger(static_cast<std::int64_t>(current_.skipBytes)));
  EnableChosenFields();
}

void ReadingChoices::ShowReading(const PropertyFile* file) {
  std::string text;
  if (file != nullptr) {
    const std::string reading = DescribeReading(file->form);
    text = file->name + ": " + (reading.empty() ? file->form.name : reading);
    // What a sample interval may mean, before OK asks for the Z step.
    if (!file->form.dzHint.empty() && !StatesDz(file->form)) {
      text += "; dz not stated, " + file->form.dzHint;
    }
  }
  window_.SetControlText(kReadingText, text);
}
