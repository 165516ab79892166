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

// How far back a chunk's end looks for the start of its last line. A line passed over (a
// comment) is kept whole in one chunk, so that its parser sees where it starts and ends: this
// holds for every such line shorter than this.
constexpr std::size_t kLineStartReach = std::size_t{4} << 10;

// Where the bytes after the last token end begin: 0 when no token ends there.
std::size_t AfterLastTokenEnd(const char* text, std::size_t size) {
  while (size > 0 && !EndsToken(text[size - 1])) --size;
  return size;
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Where a chunk of text[0, size) ends: after its last token end, or before its last line when
// that line starts a comment (see IsCommentMark); 0 when the chunk cannot end yet. blankBefore:
// the line text[0] is on holds only blanks before it; *blankAfter: the line goes on from the
// chunk's end with only blanks so far.
std::size_t ChunkEnd(const char* text, std::size_t size, bool blankBefore, bool* blankAfter) {
  const std::size_t tokenEnd = AfterLastTokenEnd(text, size);
  *blankAfter = false;
  const std::size_t reach = size > kLineStartReach ? size - kLineStartReach : 0;
  std::size_t lineStart = size;
  while (lineStart > reach && !IsLineEnd(text[lineStart - 1])) --lineStart;
  if (lineStart == 0 ? !blankBefore : !IsLineEnd(text[lineStart - 1])) return tokenEnd;
  std::size_t first = lineStart;
  while (first < size && (text[first] == ' ' || text[first] == '\t')) ++first;
  if (first < size && IsCommentMark(text[first])) {
    *blankAfter = lineStart > 0 || blankBefore;
    return lineStart;
  }
  *blankAfter = first == size;
  return tokenEnd;
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
  const bool blankBefore = lineBlank_;
  std::size_t size = streamEnded ? filled : ChunkEnd(text, filled, blankBefore, &lineBlank_);
  // The chunk cannot end yet: it is one token so far, or one line that may be a comment. Read
  // on, a chunk's size at a time, to a token's end or the buffer's.
  while (size == 0 && !streamEnded && filled < capacity_) {
    std::size_t got = 0;
    if (!Fill(text + filled, std::min(chunkBytes_, capacity_ - filled), &got, chunk)) return true;
    const bool tokenEnds = std::any_of(text + filled, text + filled + got, EndsToken);
    filled += got;
    streamEnded = got == 0;
    if (streamEnded) {
      size = filled;
    } else if (tokenEnds) {
      size = ChunkEnd(text, filled, blankBefore, &lineBlank_);
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
    chunk.text.blankBefore = blankBefore;
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
  // A token that is no number is refused as soon as that is sure (at its first NUL byte, say):
  // the rest of it, which an endless stream never ends, is not read.
  while (!accumulator.NeverANumber()) {
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
  // Refused, the token ends the text: nothing after it is read.
  if (accumulator.NeverANumber()) ended_ = true;
  chunk.longToken = true;
  chunk.longReading = accumulator.Finish();
  chunk.longShown = ShownToken(shown);
  chunk.longHoldsText = holdsText;
  chunk.text.start = text;
  chunk.text.size = 0;
  chunk.text.offset = start;
  chunk.text.first = start == 0;
  chunk.text.blankBefore = false;
  lastByte_ = last;
  lineBlank_ = false;
  offset_ = start + length;
}
