#pragma once
// Reading one property's text grid as both front ends do: its count and range first, so that a
// file whose count differs from the files already loaded is refused before its values are read;
// then its values into one array of exactly that count.

#include <cstdint>
#include <memory>
#include <string>

#include "grid/Status.h"
#include "grid/TextGridReader.h"

struct LoadedProperty {
  std::unique_ptr<float[]> values;
  TextGridSummary summary;  // also for a file refused for its count
  TextGridLines lines;
  std::uint64_t endMarkLine = 0;  // see TextGridScan
  Status status;
  bool countDiffers = false;  // refused: its count is not the expected one
  bool ok() const { return status.ok(); }
};

struct LoadProgress {
  ReadProgress scanning, loading;
};

// expectedCount: the count of the properties already loaded, 0 when none is. `name` is how
// messages call the file.
LoadedProperty LoadProperty(const std::string& path, const std::string& name,
                            std::uint32_t expectedCount, const LoadProgress& progress = {});
