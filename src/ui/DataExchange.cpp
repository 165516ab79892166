#include "ui/DataExchange.h"

#include "grid/NumberText.h"
#include "ui/DialogWindow.h"

void DataExchange::Fail(int controlId, const char* message) {
  failed_ = true;
  failedControl_ = controlId;
  window_.ShowMessage(message);
}

void DataExchange::Text(int controlId, std::int32_t& value) {
  if (failed_) return;
  if (!takeIn_) {
    window_.SetControlText(controlId, FormatInteger(value));
    return;
  }
  std::int32_t typed = 0;
  if (!ReadInt32(window_.GetControlText(controlId), &typed)) {
    Fail(controlId, kEnterIntegerMessage);
    return;
  }
  value = typed;
}

void DataExchange::Float(int controlId, float& value, bool exact) {
  if (failed_) return;
  if (!takeIn_) {
    window_.SetControlText(controlId, exact ? FormatShortest(value) : FormatSixDigits(value));
    return;
  }
  float typed = 0.0f;
  if (!ReadFloat32(window_.GetControlText(controlId), &typed)) {
    Fail(controlId, kEnterNumberMessage);
    return;
  }
  value = typed;
}

void DataExchange::Text(int controlId, float& value) { Float(controlId, value, false); }

void DataExchange::ExactText(int controlId, float& value) { Float(controlId, value, true); }

void DataExchange::Text(int controlId, std::string& value) {
  if (failed_) return;
  if (takeIn_) {
    value = window_.GetControlText(controlId);
  } else {
    window_.SetControlText(controlId, value);
  }
}
