#include "dialog/GridFields.h"

#include <algorithm>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include "dialog/ConvertDialogControls.h"
#include "grid/NumberText.h"
#include "textgrid/GridSizes.h"
#include "ui/DataExchange.h"
#include "ui/DialogWindow.h"

namespace {

// The size fields accept any integer, so their product may not fit: show the nearest that does.
std::int32_t SaturatedProduct(std::int32_t a, std::int32_t b) {
  std::int64_t product = std::int64_t{a} * b;
  product = std::clamp<std::int64_t>(product, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(product);
}

// The window along one axis, its first node and size: as typed when it lies within the grid's
// `nodes`, else as accepted last when that does, else the whole axis.
std::pair<std::int32_t, std::int32_t> AxisWithin(const std::string& typedFrom,
                                                 const std::string& typedSize,
                                                 std::int32_t acceptedFrom,
                                                 std::int32_t acceptedSize, std::int32_t nodes) {
  const auto within = [nodes](std::int32_t from, std::int32_t size) {
    return from >= 0 && size >= 1 && size <= nodes - from;
  };
  std::int32_t from = 0, size = 0;
  if (ReadInt32(typedFrom, &from) && ReadInt32(typedSize, &size) && within(from, size)) {
    return {from, size};
  }
  if (within(acceptedFrom, acceptedSize)) return {acceptedFrom, acceptedSize};
  return {0, nodes};
}

}  // namespace

void GridFields::Exchange(DataExchange& exchange) {
  exchange.Text(kInputCountField, choice_.inputCount);
  // Steps in full: a browse between typing and OK shows them again and must not round them.
  exchange.ExactText(kXStepField, choice_.xStep);
  exchange.ExactText(kZStepField, choice_.zStep);
  exchange.Text(kNzInputField, choice_.nzInput);
  exchange.Text(kNxWriteField, choice_.nxWrite);
  exchange.Text(kXFromField, choice_.xFrom);
  exchange.Text(kNzWriteField, choice_.nzWrite);
  exchange.Text(kZFromField, choice_.zFrom);
  exchange.Text(kWriteCountField, choice_.writeCount);
}

void GridFields::EnableControls() {
  for (int control : {kXSizeCombo, kNzInputField, kInputCountField, kNxWriteField, kNzWriteField,
                      kWriteCountField, kXFromField, kZFromField}) {
    window_.EnableControl(control, true);
  }
}

void GridFields::OfferXSizes(std::uint32_t count, bool keepChosen, const TextGridLines& lines,
                             const TextGridForm& form, ValueOrder order) {
  xSizes_ = XSizeChoices(count);
  // A grid a form states may be one row deep, or one column wide.
  const bool stated =
      form.statesSizes && form.nx > 0 &&
      static_cast<std::uint64_t>(form.nx) * static_cast<std::uint64_t>(form.nz) == count;
  if (stated && std::find(xSizes_.begin(), xSizes_.end(), form.nx) == xSizes_.end()) {
    xSizes_.insert(std::upper_bound(xSizes_.begin(), xSizes_.end(), form.nx), form.nx);
  }
  window_.ResetComboList(kXSizeCombo);
  for (std::int32_t choice : xSizes_) window_.AddComboString(kXSizeCombo, FormatInteger(choice));
  if (keepChosen && !form.statesSizes) {
    const auto chosen = std::find(xSizes_.begin(), xSizes_.end(), choice_.nxInput);
    window_.SetComboSelection(
        kXSizeCombo, chosen == xSizes_.end() ? -1 : static_cast<int>(chosen - xSizes_.begin()));
    return;
  }
  const int proposed =
      stated
          ? static_cast<int>(std::find(xSizes_.begin(), xSizes_.end(), form.nx) - xSizes_.begin())
          : ProposedXSizeIndex(xSizes_, count, lines, order);
  window_.SetComboSelection(kXSizeCombo, proposed);
  if (proposed < 0) return;
  const std::int32_t x = xSizes_[static_cast<std::size_t>(proposed)];
  const std::int32_t values = static_cast<std::int32_t>(count);
  choice_.nxInput = x;
  choice_.nxWrite = x;
  choice_.inputCount = values;
  choice_.writeCount = values;
  choice_.nzInput = values / x;
  choice_.nzWrite = values / x;
  choice_.xFrom = 0;
  choice_.zFrom = 0;
}

void GridFields::ChooseXSize(std::int32_t x, std::uint32_t count) {
  choice_.nxInput = x;
  choice_.nxWrite = x;
  choice_.writeCount = choice_.inputCount;
  choice_.nzInput = static_cast<std::int32_t>(count / static_cast<std::uint32_t>(x));
  choice_.nzWrite = choice_.nzInput;
  choice_.xFrom = 0;
  choice_.zFrom = 0;
}

bool GridFields::OnXSizeSelChange(std::uint32_t count) {
  const int selection = window_.GetComboSelection(kXSizeCombo);
  window_.SetComboSelection(kXSizeCombo, selection);
  std::int32_t x = 0;
  if (!ReadInt32(window_.GetControlText(kXSizeCombo), &x) || x < 1) return false;
  ChooseXSize(x, count);
  return true;
}

bool GridFields::OnXSizeEditChange(std::uint32_t count) {
  // The list is left alone: selecting an entry would select the box's text, and the next key
  // the user types would replace it.
  std::int32_t x = 0;
  if (!ReadInt32(window_.GetControlText(kXSizeCombo), &x)) return false;
  if (std::find(xSizes_.begin(), xSizes_.end(), x) == xSizes_.end()) return false;
  ChooseXSize(x, count);
  return true;
}

void GridFields::FillStatedSteps(const TextGridForm& form) {
  if (!form.statesSteps) return;
  if (choice_.xStep == filledXStep_) choice_.xStep = filledXStep_ = form.dx;
  if (choice_.zStep == filledZStep_) choice_.zStep = filledZStep_ = form.dz;
}

std::int64_t GridFields::RowsHeld(std::uint32_t count) const {
  const std::int64_t rows =
      choice_.nxInput > 0 ? count / static_cast<std::uint32_t>(choice_.nxInput) : 0;
  return std::min<std::int64_t>(choice_.nzInput, rows);
}

Status GridFields::CheckLeftField(int field, const GridChoice& before, std::uint32_t count) {
  GridChoice& c = choice_;
  Status checked;
  std::int32_t GridChoice::*value = nullptr;
  if (field == kNxWriteField) {
    value = &GridChoice::nxWrite;
    checked = CheckNxWrite(c.nxWrite, c.nxInput);
    if (checked.ok()) checked = CheckWindowAxis(RequestPart::kXFrom, c.xFrom, c.nxWrite, c.nxInput);
  } else if (field == kNzWriteField) {
    value = &GridChoice::nzWrite;
    checked = CheckNzWrite(c.nzWrite, c.nzInput, count, c.nxInput);
    if (checked.ok()) {
      checked = CheckWindowAxis(RequestPart::kZFrom, c.zFrom, c.nzWrite, RowsHeld(count));
    }
  } else if (field == kXFromField) {
    value = &GridChoice::xFrom;
    checked = CheckWindowAxis(RequestPart::kXFrom, c.xFrom, c.nxWrite, c.nxInput);
  } else if (field == kZFromField) {
    value = &GridChoice::zFrom;
    checked = CheckWindowAxis(RequestPart::kZFrom, c.zFrom, c.nzWrite, RowsHeld(count));
  }
  if (!checked.ok()) c.*value = before.*value;
  c.writeCount = SaturatedProduct(c.nxWrite, c.nzWrite);
  return checked;
}

bool GridFields::RestoreRefusedWindow(RequestPart part, const GridChoice& accepted) {
  const bool alongX = part == RequestPart::kNxWrite || part == RequestPart::kXFrom;
  const bool alongZ = part == RequestPart::kNzWrite || part == RequestPart::kZFrom;
  if (!alongX && !alongZ) return false;
  GridChoice& c = choice_;
  if (alongX) c.nxWrite = accepted.nxWrite;
  if (part == RequestPart::kXFrom) c.xFrom = accepted.xFrom;
  if (alongZ) c.nzWrite = accepted.nzWrite;
  if (part == RequestPart::kZFrom) c.zFrom = accepted.zFrom;
  c.writeCount = SaturatedProduct(c.nxWrite, c.nzWrite);
  return true;
}

Status GridFields::CheckXSizeText() const {
  if (xSizes_.empty()) return Status();
  const std::string text = window_.GetControlText(kXSizeCombo);
  std::int32_t x = 0;
  if (ReadInt32(text, &x) && x == choice_.nxInput) return Status();
  return Status::Error("\"" + text +
                       "\" is not one of the X sizes in the list. Choose one from the list.");
}

void GridFields::FillRequest(std::uint32_t count, ConversionRequest& request) const {
  const GridChoice& c = choice_;
  request.window = {count, c.nxInput, c.nxWrite, c.nzWrite, c.xStep, c.zStep, c.xFrom, c.zFrom};
  request.inputCount = c.inputCount;
  request.nzInput = c.nzInput;
}

Status GridFields::FillTypedRequest(std::uint32_t count, ConversionRequest& request,
                                    int& refusedField) const {
  FillRequest(count, request);
  GridWindow& w = request.window;
  for (const auto& [field, step] : {std::pair{kXStepField, &w.xStep}, {kZStepField, &w.zStep}}) {
    if (!ReadFloat32(window_.GetControlText(field), step)) {
      refusedField = field;
      return Status::Error(kEnterNumberMessage);
    }
  }
  if (choice_.nxInput < 1 || count < static_cast<std::uint32_t>(choice_.nxInput)) return Status();
  const std::int32_t rows =
      static_cast<std::int32_t>(count / static_cast<std::uint32_t>(choice_.nxInput));
  std::tie(w.xFrom, w.nxWrite) =
      AxisWithin(window_.GetControlText(kXFromField), window_.GetControlText(kNxWriteField),
                 choice_.xFrom, choice_.nxWrite, choice_.nxInput);
  std::tie(w.zFrom, w.nzWrite) =
      AxisWithin(window_.GetControlText(kZFromField), window_.GetControlText(kNzWriteField),
                 choice_.zFrom, choice_.nzWrite, rows);
  return Status();
}
