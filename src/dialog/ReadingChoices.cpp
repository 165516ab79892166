#include "dialog/ReadingChoices.h"

#include <string>

#include "dialog/ConvertDialogControls.h"
#include "dialog/PropertyFiles.h"
#include "textgrid/TextGridForm.h"
#include "ui/DialogWindow.h"

TextReadingChoices ReadingChoices::Checked() const {
  TextReadingChoices checked;
  checked.order = window_.IsChecked(kColumnsCheck) ? ValueOrder::kColumns : ValueOrder::kRows;
  checked.flipZ = window_.IsChecked(kFlipZCheck);
  checked.decimalComma = window_.IsChecked(kDecimalCommaCheck);
  return checked;
}

void ReadingChoices::ShowCurrent() {
  window_.SetChecked(kColumnsCheck, current_.order == ValueOrder::kColumns);
  window_.SetChecked(kFlipZCheck, current_.flipZ);
  window_.SetChecked(kDecimalCommaCheck, current_.decimalComma);
}

void ReadingChoices::ShowReading(const PropertyFile* file) {
  std::string text;
  if (file != nullptr) {
    const std::string reading = DescribeReading(file->form);
    text = file->name + ": " + (reading.empty() ? file->form.name : reading);
  }
  window_.SetControlText(kReadingText, text);
}
