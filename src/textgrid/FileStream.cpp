#include "textgrid/FileStream.h"

#include <algorithm>
#include <cstring>

bool FileStream::Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) {
  if (file_.Read(buffer, size, got, problem)) return true;
  *problem = "cannot read: " + *problem;
  return false;
}

std::uint64_t FileStream::Remaining() const {
  return file_.IsRegular() && file_.Size() >= file_.Position() ? file_.Size() - file_.Position()
                                                               : kUnknownSize;
}

bool MappedFileStream::Map(const ReadOnlyFile& file, std::string* reason) {
  if (!mapping_.Map(file, file.Size(), reason)) return false;
  file_ = &file;
  return true;
}

bool MappedFileStream::Read(char* buffer, std::size_t size, std::size_t* got,
                            std::string* /*problem*/) {
  *got = static_cast<std::size_t>(std::min<std::uint64_t>(size, Remaining()));
  if (*got > 0) std::memcpy(buffer, mapping_.data() + position_, *got);
  Advance(*got);
  return true;
}

void MappedFileStream::Advance(std::uint64_t count) {
  constexpr std::uint64_t kReleaseBytes = std::uint64_t{1} << 20;
  position_ += std::min(count, Remaining());
  if (position_ - released_ < kReleaseBytes && position_ < mapping_.size()) return;
  mapping_.Release(released_, position_ - released_);
  released_ = position_;
}

std::string_view MappedFileStream::Held() const {
  return std::string_view(reinterpret_cast<const char*>(mapping_.data()) + position_,
                          static_cast<std::size_t>(Remaining()));
}

void MappedFileStream::PassHeld(std::size_t count) { Advance(count); }

FloatArray MappedFileStream::ShareFloats(const char* at, std::uint64_t count) {
  FloatArray values;
  const auto* start = reinterpret_cast<const char*>(mapping_.data());
  const std::uint64_t offset = static_cast<std::uint64_t>(at - start);
  if (at < start || offset + count * sizeof(float) > mapping_.size() ||
      !values.MapFile(*file_, offset, count)) {
    return {};
  }
  return values;
}
