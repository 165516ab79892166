#pragma once
// One reading pass over a text grid, read once from a stream. One thread at a time reads the next
// chunk (TextChunkReader) and then parses it into a buffer of its own: values, bounds, lines.
// Chunks are merged in text order, so counts, bounds, lines, the place of every value and the
// first bad token are those of a reading from start to end; once the values before a chunk are
// counted, its own are copied to their place in one array, by any thread, in parallel.

#include <cstddef>
#include <cstdint>
#include <string>

#include "system/FloatArray.h"
#include "textgrid/ByteStream.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"
#include "textgrid/TextGridReader.h"

struct TextPassOptions {
  // A chunk's text and values stay in a core's cache between reading, parsing and copying
  // (1 MiB chunks: 3% slower); smaller ones read no faster, and each costs a read and a wake-up.
  std::size_t chunkBytes = std::size_t{512} << 10;
  unsigned threads = 0;  // 0: one per core, at most 4
  std::uint64_t maxValues = kMaxTextGridValues;
  bool keepValues = true;   // false: count, bounds and lines alone
  FinalValues finalValues;  // told the values kept as they become final; may be unset
};

enum class TextPassStop {
  kEnd,               // the whole text was read (up to a character 26)
  kNotANumber,        // the bad token's place, token
  kBeyondFloatRange,  // the bad token's place, token
  kReadError,         // problem
  kTooManyValues,     // more than maxValues
  kChanged,           // more values than the text's size allows: it grew while it was read
  kOutOfMemory,       // no memory for the buffers or the values
};

// Count, minimum, maximum, lines and values are meaningful only when the pass reached the end.
struct TextPassResult {
  TextPassStop stop = TextPassStop::kEnd;
  std::uint64_t count = 0;
  float minimum = 1e30f;  // rules of a reading in order: a value below the minimum replaces it
  float maximum = -1e30f;
  TextGridLines lines;
  FloatArray values;  // `count` of them, when kept
  // A character 26 (Ctrl-Z) ended the text: where it stands, and its line (from 1) when more than
  // blanks follow it; 0 when only blanks do, and the text ended there as it should.
  bool endMark = false;
  std::uint64_t endMarkOffset = 0;
  std::uint64_t endMarkLine = 0;
  // A bad token: where it starts in the text, its line and its place among the values on that
  // line (both from 1), and the token as a message shows it.
  std::uint64_t problemOffset = 0;
  std::uint64_t problemLine = 0;
  std::uint64_t problemValue = 0;
  std::string token;
  // NaN tokens, each a hole holding a no-data marker (NoDataMarkers.h), and the place of the
  // first among the values.
  std::uint64_t holes = 0;
  std::uint64_t firstHole = 0;
  std::string problem;    // what the stream said when it failed
  SkippedLines comments;  // comment lines passed over, up to where the pass stopped
};

TextPassResult ReadTextPass(ByteStream& text, const ReadProgress& progress,
                            const TextPassOptions& options = {});
