#include "textgrid/ByteStream.h"

#include <algorithm>
#include <cstring>

bool MemoryStream::Read(char* buffer, std::size_t size, std::size_t* got,
                        std::string* /*problem*/) {
  *got = std::min({size, pieceBytes_, text_.size() - done_});
  if (*got > 0) std::memcpy(buffer, text_.data() + done_, *got);
  done_ += *got;
  return true;
}

bool PeekableStream::Peek(std::size_t count, std::string_view* bytes, std::string* problem) {
  peeked_.erase(0, taken_);
  taken_ = 0;
  while (peeked_.size() < count) {
    const std::size_t had = peeked_.size();
    peeked_.resize(count);
    std::size_t got = 0;
    const bool read = inner_.Read(&peeked_[had], count - had, &got, problem);
    peeked_.resize(had + got);
    if (!read) return false;
    if (got == 0) break;
  }
  *bytes = std::string_view(peeked_).substr(0, count);
  return true;
}

void PeekableStream::Skip(std::size_t count) { taken_ = std::min(peeked_.size(), taken_ + count); }

bool PeekableStream::Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) {
  if (taken_ < peeked_.size()) {
    *got = std::min(size, peeked_.size() - taken_);
    std::memcpy(buffer, peeked_.data() + taken_, *got);
    taken_ += *got;
    return true;
  }
  return inner_.Read(buffer, size, got, problem);
}

std::uint64_t PeekableStream::Remaining() const {
  const std::uint64_t below = inner_.Remaining();
  return below == kUnknownSize ? below : below + (peeked_.size() - taken_);
}
