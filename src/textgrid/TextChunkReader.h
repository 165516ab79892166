#pragma once
// A text read once from a stream and cut into chunks that end where a token ends, so that each
// chunk can be parsed on its own while the next is read. A chunk holds about chunkBytes; one
// that would end inside a token reads on to the token's end. A token longer than a chunk's
// buffer is read here, in pieces with a bounded state, and its chunk is that token alone.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "grid/DecimalNumber.h"
#include "textgrid/ByteStream.h"
#include "textgrid/TextChunkParser.h"

// A chunk's bytes and what the reading found out about them.
struct ReadChunk {
  std::unique_ptr<char[]> buffer;  // the byte before, the chunk, kChunkSlack
  ChunkText text;                  // in buffer
  // A token too long for the buffer: the chunk is this token alone, already read; text.size is
  // then 0 and text.offset is where the token starts.
  bool longToken = false;
  DecimalReading longReading;
  std::string longShown;       // as a message shows it
  bool longHoldsText = false;  // not NUL bytes alone (see HoldsText)
  // The stream failed here: the text stops, with this problem.
  bool failed = false;
  std::string problem;
  std::uint64_t inputDone = 0;  // of the underlying input, once the chunk was read
};

class TextChunkReader {
 public:
  TextChunkReader(ByteStream& stream, std::size_t chunkBytes);

  // A buffer for this reader's chunks; false when there is no memory for it.
  bool Allocate(ReadChunk& chunk) const;
  // The most bytes a chunk's text holds, with the byte before it.
  std::size_t MostChunkBytes() const { return 1 + capacity_; }
  // Reads the next chunk into a buffer from Allocate; false when the text has ended. Called by one
  // thread at a time.
  bool Next(ReadChunk& chunk);

 private:
  bool Fill(char* to, std::size_t size, std::size_t* got, ReadChunk& chunk);
  void ReadLongToken(char* text, std::size_t filled, ReadChunk& chunk);

  ByteStream& stream_;
  const std::size_t chunkBytes_;
  const std::size_t capacity_;  // of a chunk's text
  std::string carry_;           // read but not yet in a chunk
  std::uint64_t offset_ = 0;    // in the text, of the next chunk's first byte
  char lastByte_ = 0;           // the last byte of the previous chunk
  bool lineBlank_ = true;       // the line the next chunk starts on holds only blanks before it
  bool ended_ = false;
};
