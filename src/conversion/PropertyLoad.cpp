#include "conversion/PropertyLoad.h"

LoadedProperty LoadProperty(const std::string& path, const std::string& name,
                            std::uint32_t expectedCount, const ReadProgress& progress) {
  LoadedProperty loaded;
  TextGridRead read = ReadTextGrid(path, name, progress);
  if (!read.ok()) {
    loaded.status = read.status;
    return loaded;
  }
  loaded.summary = read.summary;
  loaded.lines = std::move(read.lines);
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
