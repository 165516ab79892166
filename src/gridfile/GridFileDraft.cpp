#include "gridfile/GridFileDraft.h"

#include <array>

#include "grid/CompilerSupport.h"
#include "system/OutputTarget.h"

bool GridFileDraft::Begin(const std::string& path) {
  static const std::array<std::uint8_t, kGridFileHeaderSize> kRoom{};
  // A stream takes the bytes in their order: the header cannot come last.
  begun_ = kLittleEndianHost && !FindOutputTarget(path).stream && file_.Begin(path).ok() &&
           file_.Write(kRoom.data(), kRoom.size()).ok();
  return begun_;
}

void GridFileDraft::Take(const float* values, std::uint64_t first, std::uint64_t count) {
  if (!begun_) return;
  if (taken_ == 0) values_ = values;
  inOrder_ = inOrder_ && values == values_ && first == taken_;
  if (!inOrder_) return;
  taken_ += count;
  // A failure stays with the file, for Finish to report.
  file_.Write(values + first, static_cast<std::size_t>(count * sizeof(float)));
}

bool GridFileDraft::Holds(const float* values, std::uint64_t count) const {
  return begun_ && inOrder_ && values == values_ && taken_ >= count;
}

Status GridFileDraft::Finish(const GridFileHeader& header, std::uint64_t count) {
  const std::array<std::uint8_t, kGridFileHeaderSize> bytes = header.ToBytes();
  Status status = file_.WriteAt(0, bytes.data(), bytes.size());
  if (status.ok()) status = file_.Truncate(kGridFileHeaderSize + count * sizeof(float));
  if (status.ok()) status = file_.Commit();
  return status;
}
