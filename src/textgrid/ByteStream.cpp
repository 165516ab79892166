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

std::string_view MemoryStream::Held() const {
  if (pieceBytes_ < text_.size() - done_) return {};
  return text_.substr(done_);
}

void MemoryStream::PassHeld(std::size_t count) { done_ += std::min(count, text_.size() - done_); }

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

std::string_view PeekableStream::Held() const {
  const std::string_view below = inner_.Held();
  if (below.data() == nullptr) return {};
  const std::size_t peeked = peeked_.size() - taken_;
  return std::string_view(below.data() - peeked, below.size() + peeked);
}

void PeekableStream::PassHeld(std::size_t count) {
  const std::size_t peeked = std::min(count, peeked_.size() - taken_);
  taken_ += peeked;
  inner_.PassHeld(count - peeked);
}
