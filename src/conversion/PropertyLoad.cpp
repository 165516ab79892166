#include "conversion/PropertyLoad.h"

LoadedProperty LoadProperty(const std::string& path, const std::string& name,
                            std::uint32_t expectedCount, const LoadProgress& progress) {
  LoadedProperty loaded;
  const TextGridScan scan = ScanTextGrid(path, name, progress.scanning);
  if (!scan.ok()) {
    loaded.status = scan.status;
    return loaded;
  }
  loaded.summary = scan.summary;
  loaded.lines = scan.lines;
  loaded.endMarkLine = scan.endMarkLine;
  if (expectedCount != 0 && scan.summary.count != expectedCount) {
    loaded.countDiffers = true;
    loaded.status =
        Status::Error(name + " holds " + std::to_string(scan.summary.count) + " values, not " +
                      std::to_string(expectedCount) + " like the files already loaded");
    return loaded;
  }
  TextGridValues values = LoadTextGridValues(path, name, scan, progress.loading);
  loaded.status = values.status;
  if (loaded.ok()) loaded.values = std::move(values.values);
  return loaded;
}
