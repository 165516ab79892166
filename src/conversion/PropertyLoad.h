#pragma once
// Reading one property's grid as both front ends do: read once, its values with its count, range
// and form; a file whose count differs from the files already loaded is refused with its count
// and lines, for the front end to show. The reader is picked by the input's first bytes: a text
// grid's readers (src/textgrid) or a binary grid's (src/binarygrid).

#include <cstdint>
#include <optional>
#include <string>

#include "grid/Status.h"
#include "grid/ValueRange.h"
#include "system/FloatArray.h"
#include "textgrid/TextGridReader.h"

struct LoadedProperty {
  FloatArray values;        // in the file's order (see ArrangeValues)
  TextGridSummary summary;  // also for a file refused for its count
  TextGridLines lines;
  TextGridForm form;              // what its form said and what was passed over
  std::uint64_t endMarkLine = 0;  // see TextGridRead
  Status status;
  bool countDiffers = false;     // refused: its count is not the expected one
  bool commasUndecided = false;  // refused: see TextGridRead
  bool tripletsTold = false;     // refused: see TextGridRead
  bool rawUndecided = false;     // refused: see TextGridRead
  bool ok() const { return status.ok(); }
};

// An input of any form, text or binary, read once (standard input too), the reader picked by its
// first bytes after any gzip compression; raw values when choices.raw says so, text in the form
// choices.form gives. keepValues false keeps none (mvgtool sizes). `name` is how messages call
// it. A binary grid has no rows or columns to leave out: "vp.npy (numpy .npy array): rows and
// columns are left out of text grids only".
TextGridRead ReadGridInput(const std::string& path, const std::string& name, bool keepValues,
                           const ReadProgress& progress = {},
                           const TextReadingChoices& choices = {}, const FinalValues& final = {});

// The least and greatest value a reading found: its bounds once values replaced both of those it
// starts from (1e30 and -1e30).
std::optional<ValueRange> RangeOfValues(const TextGridSummary& summary);

// expectedCount: the count of the properties already loaded, 0 when none is. `path` is a file or
// "-" for standard input; `name` is how messages call it; choices: how the user says to read it.
// final: told the values as they become final (see FinalValues).
LoadedProperty LoadProperty(const std::string& path, const std::string& name,
                            std::uint32_t expectedCount, const ReadProgress& progress = {},
                            const TextReadingChoices& choices = {}, const FinalValues& final = {});
