#pragma once
// The fields that say the grid and the part of it to write: the X size, chosen from the list of
// the sizes the values' count allows (proposed from a form that states it, else from a file's
// lines), the Z size and the count the user confirms, the steps in m (those a form states fill
// them unless the user typed others), and the window to write, each of its fields checked as it
// is left.

#include <cstdint>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"

class DataExchange;
class DialogWindow;

// What the fields hold, shown in them and taken from them.
struct GridChoice {
  std::int32_t nxInput = 0;  // the X size chosen
  std::int32_t nzInput = 0;
  std::int32_t inputCount = 0;
  std::int32_t nxWrite = 0;
  std::int32_t nzWrite = 0;
  std::int32_t xFrom = 0;  // the window's first node, numbered from 0
  std::int32_t zFrom = 0;
  std::int32_t writeCount = 0;
  float xStep = 1.0f;
  float zStep = 1.0f;
};

class GridFields {
 public:
  explicit GridFields(DialogWindow& window) : window_(window) {}

  // Among the fields a user types into, the order decides where a failed take-in stops.
  void Exchange(DataExchange& exchange);
  // Enables the sizes and the window, once a property has been browsed for.
  void EnableControls();
  const GridChoice& Choice() const { return choice_; }

  // The X sizes on offer for `count` values, with a size the form states among them. The size
  // chosen stays when `keepChosen` and the form states none; else the form's size is chosen, or
  // the one the lines propose, the whole grid the window.
  void OfferXSizes(std::uint32_t count, bool keepChosen, const TextGridLines& lines,
                   const TextGridForm& form, ValueOrder order);
  // An entry chosen from the list; text typed into the box that is one of its sizes counts as
  // choosing that size (the list is then left alone). True when a size was chosen: the grid is
  // count / size deep and the whole of it the window.
  bool OnXSizeSelChange(std::uint32_t count);
  bool OnXSizeEditChange(std::uint32_t count);
  // The steps a form states fill the step fields, unless the user changed them.
  void FillStatedSteps(const TextGridForm& form);

  // A field of the window (kNxWriteField, kXFromField, kNzWriteField, kZFromField), its text
  // taken in, checked as it is left against the grid of `count` values: a refused value goes
  // back to what it was `before`. The refusal, if any.
  Status CheckLeftField(int field, const GridChoice& before, std::uint32_t count);
  // A window OK refused (`part`) goes back to the one `accepted` last: the size alone, or with
  // the first node. True when it did.
  bool RestoreRefusedWindow(RequestPart part, const GridChoice& accepted);
  // The X-size box's text is refused when it is not the size chosen (none of the list's).
  Status CheckXSizeText() const;

  // The grid, the window, the steps and the sizes the user confirms.
  void FillRequest(std::uint32_t count, ConversionRequest& request) const;
  // The same as the fields show them while they are typed, before they are taken in: the window
  // as typed when it lies within the grid at the X size chosen, else as accepted last when that
  // does, else the whole grid; the steps as typed. "Please enter a number." while a step is none,
  // with its field in refusedField.
  Status FillTypedRequest(std::uint32_t count, ConversionRequest& request, int& refusedField) const;

 private:
  void ChooseXSize(std::int32_t x, std::uint32_t count);
  // The rows the grid holds: the Z size typed, at most the rows of `count` values.
  std::int64_t RowsHeld(std::uint32_t count) const;

  DialogWindow& window_;
  GridChoice choice_;
  std::vector<std::int32_t> xSizes_;               // the X-size box's list
  float filledXStep_ = 1.0f, filledZStep_ = 1.0f;  // what the step fields show unless typed
};
