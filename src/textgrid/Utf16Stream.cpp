#include "textgrid/Utf16Stream.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t kInputBytes = std::size_t{64} << 10;
constexpr std::uint32_t kReplacement = 0xFFFD;

std::size_t EncodeUtf8(std::uint32_t c, char* out) {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (c >> 12));
    out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (c >> 18));
  out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (c & 0x3F));
  return 4;
}

}  // namespace

Utf16Stream::Utf16Stream(ByteStream& encoded, bool bigEndian)
    : encoded_(encoded), bigEndian_(bigEndian) {}

bool Utf16Stream::Want(std::size_t bytes, std::string* problem) {
  if (!input_) {
    input_.reset(new (std::nothrow) unsigned char[kInputBytes]);
    if (!input_) {
      *problem = "not enough memory to load it";
      return false;
    }
  }
  while (end_ - start_ < bytes && !ended_) {
    std::memmove(input_.get(), input_.get() + start_, end_ - start_);
    end_ -= start_;
    start_ = 0;
    std::size_t got = 0;
    if (!encoded_.Read(reinterpret_cast<char*>(input_.get()) + end_, kInputBytes - end_, &got,
                       problem)) {
      return false;
    }
    end_ += got;
    ended_ = got == 0;
  }
  return true;
}

std::uint32_t Utf16Stream::Unit(std::size_t at) const {
  const std::uint32_t first = input_[at], second = input_[at + 1];
  return bigEndian_ ? (first << 8) | second : (second << 8) | first;
}

bool Utf16Stream::Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) {
  std::size_t done = 0;
  while (done < size && pendingTaken_ < pendingSize_) buffer[done++] = pending_[pendingTaken_++];
  while (done < size) {
    if (end_ - start_ < 4 && !Want(4, problem)) return false;
    const std::size_t waiting = end_ - start_;
    if (waiting == 0) break;
    std::uint32_t c = kReplacement;
    if (waiting == 1) {
      start_ += 1;
    } else {
      const std::uint32_t unit = Unit(start_);
      start_ += 2;
      if (unit < 0xD800 || unit > 0xDFFF) {
        c = unit;
      } else if (unit < 0xDC00 && end_ - start_ >= 2) {
        const std::uint32_t low = Unit(start_);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          c = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
          start_ += 2;
        }
      }
    }
    if (c < 0x80) {
      buffer[done++] = static_cast<char>(c);
      continue;
    }
    char bytes[4];
    const std::size_t length = EncodeUtf8(c, bytes);
    const std::size_t fits = std::min(length, size - done);
    std::memcpy(buffer + done, bytes, fits);
    done += fits;
    std::memcpy(pending_, bytes + fits, length - fits);
    pendingSize_ = length - fits;
    pendingTaken_ = 0;
  }
  *got = done;
  return true;
}
