#include "conversion/PropertyLoad.h"

std::optional<ValueRange> RangeOfValues(const TextGridSummary& summary) {
  if (summary.count == 0 || !(summary.minimum < 1e30f) || !(summary.maximum > -1e30f)) {
    return std::nullopt;
  }
  // A zero bound reads as 0, whatever the sign the reading gave it.
  return ValueRange{summary.minimum + 0.0f, summary.maximum + 0.0f};
}

LoadedProperty LoadProperty(const std::string& path, const std::string& name,
                            std::uint32_t expectedCount, const ReadProgress& progress,
                            const TextReadingChoices& choices, const FinalValues& final) {
  LoadedProperty loaded;
  TextGridRead read = ReadTextGrid(path, name, progress, choices, final);
  if (!read.ok()) {
    loaded.status = read.status;
    loaded.commasUndecided = read.commasUndecided;
    loaded.tripletsTold = read.tripletsTold;
    return loaded;
  }
  loaded.summary = read.summary;
  loaded.lines = std::move(read.lines);
  loaded.form = std::move(read.form);
  loaded.endMarkLine = read.endMarkLine;
  if (expectedCount != 0 && read.summary.count != expectedCount) {
    loaded.countDiffers = true;
    loaded.status =
        Status::Error(name + " holds " + std::to_string(read.summary.count) + " values, not " +
                      std::to_string(expectedCount) + " like the files already loaded");
    return loaded;
  }
  loaded.values = std::move(read.values);
  return loaded;
}
