#include "conversion/PropertyLoad.h"

#include <memory>

#include "binarygrid/BinaryGridReader.h"
#include "system/ReadOnlyFile.h"
#include "textgrid/FileStream.h"
#include "textgrid/FormCoordinates.h"
#include "textgrid/GzipStream.h"

namespace {

constexpr std::string_view kGzipMagic = "\x1F\x8B";

TextGridRead Refusal(const std::string& message) {
  TextGridRead read;
  read.status = Status::Error(message);
  return read;
}

}  // namespace

TextGridRead ReadGridInput(const std::string& path, const std::string& name, bool keepValues,
                           const ReadProgress& progress, const TextReadingChoices& choices,
                           const FinalValues& final) {
  ReadOnlyFile file;
  std::string problem;
  const bool opened =
      path == kStandardInput ? file.OpenStandardInput(&problem) : file.Open(path, &problem);
  if (!opened) return Refusal(name + ": cannot open: " + problem);
  FileStream stream(file);
  PeekableStream input(stream);
  // Binary data may come gzip-compressed too: its form is told from the inflated bytes.
  std::string_view head;
  if (!input.Peek(kGzipMagic.size(), &head, &problem)) return Refusal(name + ": " + problem);
  std::unique_ptr<GzipStream> gzip;
  std::unique_ptr<PeekableStream> inflated;
  if (head == kGzipMagic) {
    gzip = std::make_unique<GzipStream>(input);
    inflated = std::make_unique<PeekableStream>(*gzip);
  }
  PeekableStream& bytes = inflated ? *inflated : input;
  // A text form chosen is read as text, whatever the bytes.
  BinaryStart start;
  const bool told = choices.raw == RawType::kNone && !choices.form;
  if (told && !TellBinaryStart(bytes, &start, &problem)) return Refusal(name + ": " + problem);
  if (choices.raw == RawType::kNone && start.form == BinaryForm::kText) {
    return ReadTextGridStream(bytes, name, keepValues, progress, choices, final);
  }
  TextGridRead read = ReadBinaryGrid(bytes, start, name, keepValues, progress, choices, final);
  // Coordinates are never among a binary grid's values.
  if (read.ok() && (choices.skipRows > 0 || choices.skipColumns > 0)) {
    return Refusal(name + " (" + read.form.name +
                   "): rows and columns are left out of text grids only");
  }
  if (read.ok() && choices.coordinatesInKm) {
    const Status km = TakeCoordinatesInKm(read.form, name);
    if (!km.ok()) return Refusal(km.message());
  }
  return read;
}

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
  TextGridRead read = ReadGridInput(path, name, true, progress, choices, final);
  if (!read.ok()) {
    loaded.status = read.status;
    loaded.commasUndecided = read.commasUndecided;
    loaded.tripletsTold = read.tripletsTold;
    loaded.rawUndecided = read.rawUndecided;
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
