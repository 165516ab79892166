#pragma once
// Reading one property's text grid as both front ends do: read once, its values with its count
// and range; a file whose count differs from the files already loaded is refused with its count
// and lines, for the front end to show.

#include <cstdint>
#include <optional>
#include <string>

#include "grid/Status.h"
#include "grid/ValueRange.h"
#include "system/FloatArray.h"
#include "textgrid/TextGridReader.h"

struct LoadedProperty {
  FloatArray values;
  TextGridSummary summary;  // also for a file refused for its count
  TextGridLines lines;
  std::uint64_t endMarkLine = 0;  // see TextGridRead
  Status status;
  bool countDiffers = false;  // refused: its count is not the expected one
  bool ok() const { return status.ok(); }
};

// The least and greatest value a reading found: its bounds once values replaced both of those it
// starts from (1e30 and -1e30).
std::optional<ValueRange> RangeOfValues(const TextGridSummary& summary);

// expectedCount: the count of the properties already loaded, 0 when none is. `path` is a file or
// "-" for standard input; `name` is how messages call it.
// final: told the values as they become final (see FinalValues).
LoadedProperty LoadProperty(const std::string& path, const std::string& name,
                            std::uint32_t expectedCount, const ReadProgress& progress = {},
                            const FinalValues& final = {});
