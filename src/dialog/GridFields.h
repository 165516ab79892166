#pragma once
// The fields that say the grid and the part of it to write: the X size, chosen from the list of
// the sizes the values' count allows (proposed from a form that states it, else from a file's
// lines; binary data without a stated size proposes none), the Z size and the count the user
// confirms, the steps in m (each one a form states fills its field unless the user typed
// another), and the window to write, each of its fields checked as it is left. How the X size and
// the steps are known goes with them: a guessed X size, or a step neither typed nor stated, is a
// finding before anything is written.

#include <cstdint>
#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "grid/KnownFacts.h"
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
  // the one the lines propose, the whole grid the window. Binary data that states no size (raw
  // values) keeps the size chosen while it is on offer, else none is chosen.
  void OfferXSizes(std::uint32_t count, bool keepChosen, const TextGridLines& lines,
                   const TextGridForm& form, ValueOrder order);
  // An entry chosen from the list; text typed into the box that is one of its sizes counts as
  // choosing that size (the list is then left alone). True when a size was chosen: the grid is
  // count / size deep and the whole of it the window, the size the user's.
  bool OnXSizeSelChange(std::uint32_t count);
  bool OnXSizeEditChange(std::uint32_t count);
  // How the X size chosen is known: stated by a form, the proposal of a file's lines (shown by
  // them or a guess), or given by the user.
  const KnownFact& XSizeKnown() const { return xSizeKnown_; }
  // Whether the X-size box shows a text that is not the size chosen (typed, none of the list's):
  // the sizes it would derive show blank meanwhile, and nothing is drawn.
  bool XSizeTypedAside() const;
  // Shows the sizes that follow from the X size (blank while it is typed aside).
  void ShowSizes();
  // Shows what choosing an X size sets: the sizes and the window. The other fields keep what the
  // user typed in them and has not yet had taken in.
  void ShowXSizeChosen();
  // Each step a form states fills its step field, unless the user typed it.
  void FillStatedSteps(const TextGridForm& form);
  // A step neither typed nor stated by a file is still the initial one, most likely not the
  // grid's: "The X and Z steps are still the initial 1 m: are they the grid's steps?", "The Z
  // step is still the initial 1 m: is it the grid's step?", then what a file says of its Z step
  // (`dzHint`, see SampleIntervalHint) when that is asked about; "" when both are known.
  std::string StepFinding(const std::string& dzHint = {}) const;

  // A field of the window (kNxWriteField, kXFromField, kNzWriteField, kZFromField), its text
  // taken in, checked as it is left against the grid of `count` values: a refused value goes
  // back to what it was `before`. The refusal, if any.
  Status CheckLeftField(int field, const GridChoice& before, std::uint32_t count);
  // A window OK refused (`part`) goes back to the one `accepted` last: the size alone, or with
  // the first node. True when it did.
  bool RestoreRefusedWindow(RequestPart part, const GridChoice& accepted);
  // The X-size box's text is refused when it is not the size chosen (none of the list's).
  Status CheckXSizeText() const;

  // The grid, the window, the steps and the sizes the user confirms, and how the X size is known.
  void FillRequest(std::uint32_t count, ConversionRequest& request) const;
  // The same as the fields show them while they are typed, before they are taken in: the window
  // as typed when it lies within the grid at the X size chosen, else as accepted last when that
  // does, else the whole grid; the steps as typed. "Please enter a number." while a step is none,
  // with its field in refusedField.
  Status FillTypedRequest(std::uint32_t count, ConversionRequest& request, int& refusedField) const;

 private:
  // How a step came to its field.
  enum class StepOrigin { kInitial, kStated, kTyped };

  void ChooseXSize(std::int32_t x, std::uint32_t count);
  // A step field: its take-in notes a text the user typed.
  void ExchangeStep(DataExchange& exchange, int field, float& step, StepOrigin& origin);
  // A size that follows from the X size: blank while it is typed aside, and not taken in.
  void ExchangeSize(DataExchange& exchange, int field, std::int32_t& size);
  // The rows the grid holds: the Z size typed, at most the rows of `count` values.
  std::int64_t RowsHeld(std::uint32_t count) const;

  DialogWindow& window_;
  GridChoice choice_;
  std::vector<std::int32_t> xSizes_;  // the X-size box's list
  KnownFact xSizeKnown_;
  StepOrigin xStepOrigin_ = StepOrigin::kInitial, zStepOrigin_ = StepOrigin::kInitial;
};
