#include "textgrid/TextChunkReader.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>

namespace {

// How far a chunk reads on to finish its last token before taking it for a long one.
constexpr std::size_t kTailRoom = std::size_t{64} << 10;
// A long token's first bytes, as much as a message shows of it (and one to say it goes on).
constexpr std::size_t kShownPrefix = 41;

// Where the bytes after the last token end begin: 0 when no token ends there.
std::size_t AfterLastTokenEnd(const char* text, std::size_t size) {
  while (size > 0 && !EndsToken(text[size - 1])) --size;
  return size;
}

}  // namespace

TextChunkReader::TextChunkReader(ByteStream& stream, std::size_t chunkBytes)
    : stream_(stream),
      chunkBytes_(std::max<std::size_t>(chunkBytes, 1)),
      capacity_(chunkBytes_ + kTailRoom) {}

bool TextChunkReader::Allocate(ReadChunk& chunk) const {
  const std::size_t bytes = 1 + capacity_ + kChunkSlack;
  chunk.buffer.reset(new (std::nothrow) char[bytes]);
  if (!chunk.buffer) return false;
  // The parser's maps read past what a chunk fills: every byte has a value.
  std::memset(chunk.buffer.get(), 0, bytes);
  return true;
}

bool TextChunkReader::Fill(char* to, std::size_t size, std::size_t* got, ReadChunk& chunk) {
  if (stream_.Read(to, size, got, &chunk.problem)) return true;
  chunk.failed = true;
  ended_ = true;
  return false;
}

bool TextChunkReader::Next(ReadChunk& chunk) {
  if (ended_) return false;
  chunk.longToken = chunk.failed = false;
  chunk.problem.clear();
  char* const buffer = chunk.buffer.get();
  const bool first = offset_ == 0;
  buffer[0] = lastByte_;
  char* const text = buffer + 1;  // the chunk's first byte
  std::size_t filled = carry_.size();
  std::memcpy(text, carry_.data(), filled);
  carry_.clear();

  bool streamEnded = false;
  while (filled < chunkBytes_ && !streamEnded) {
    std::size_t got = 0;
    if (!Fill(text + filled, chunkBytes_ - filled, &got, chunk)) return true;
    filled += got;
    streamEnded = got == 0;
  }
  if (filled == 0) {
    ended_ = true;
    return false;
  }
  std::size_t size = streamEnded ? filled : AfterLastTokenEnd(text, filled);
  // No token ends in the chunk: it is one token so far. Read on, a chunk's size at a time, to its
  // end or the buffer's.
  while (size == 0 && !streamEnded && filled < capacity_) {
    std::size_t got = 0;
    if (!Fill(text + filled, std::min(chunkBytes_, capacity_ - filled), &got, chunk)) return true;
    const char* const end = std::find_if(text + filled, text + filled + got, EndsToken);
    filled += got;
    streamEnded = got == 0;
    if (streamEnded) {
      size = filled;
    } else if (end != text + filled) {
      size = static_cast<std::size_t>(end - text) + 1;
    }
  }
  if (size == 0) {
    ReadLongToken(text, filled, chunk);
  } else {
    carry_.assign(text + size, filled - size);
    chunk.text.start = first ? text : buffer;
    chunk.text.size = first ? size : size + 1;
    chunk.text.offset = first ? 0 : offset_ - 1;
    chunk.text.first = first;
    lastByte_ = text[size - 1];
    offset_ += size;
    ended_ = streamEnded;
  }
  chunk.inputDone = stream_.InputDone();
  return true;
}

// The token that fills text[0, filled) and goes on: read to its end in pieces, through the buffer.
void TextChunkReader::ReadLongToken(char* text, std::size_t filled, ReadChunk& chunk) {
  const std::uint64_t start = offset_;
  std::string shown(text, std::min(filled, kShownPrefix));
  DecimalAccumulator accumulator;
  accumulator.Feed(std::string_view(text, filled));
  std::uint64_t length = filled;
  char last = text[filled - 1];
  bool holdsText = HoldsText(text, filled);
  for (;;) {
    std::size_t got = 0;
    if (!Fill(text, capacity_, &got, chunk)) return;
    if (got == 0) {
      ended_ = true;
      break;
    }
    const std::size_t end =
        static_cast<std::size_t>(std::find_if(text, text + got, EndsToken) - text);
    if (shown.size() < kShownPrefix) {
      shown.append(text, std::min(end, kShownPrefix - shown.size()));
    }
    accumulator.Feed(std::string_view(text, end));
    holdsText = holdsText || HoldsText(text, end);
    length += end;
    if (end > 0) last = text[end - 1];
    if (end < got) {
      carry_.assign(text + end, got - end);
      break;
    }
  }
  chunk.longToken = true;
  chunk.longReading = accumulator.Finish();
  chunk.longShown = ShownToken(shown);
  chunk.longHoldsText = holdsText;
  chunk.text.start = text;
  chunk.text.size = 0;
  chunk.text.offset = start;
  chunk.text.first = start == 0;
  lastByte_ = last;
  offset_ = start + length;
}
