#include "textgrid/TextChunkParser.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "grid/CompilerSupport.h"

#if defined(MVG_HAVE_SSE2)
#include <emmintrin.h>
#endif

#include "grid/ShortDecimal.h"

namespace {

enum CharClass : unsigned char { kTokenChar, kSeparator, kEndMark };
constexpr char kEndOfFileMark = 26;

constexpr std::array<unsigned char, 256> MakeCharClasses() {
  std::array<unsigned char, 256> classes{};
  classes[' '] = classes['\t'] = classes[','] = classes['\n'] = classes['\r'] = kSeparator;
  classes[static_cast<unsigned char>(kEndOfFileMark)] = kEndMark;
  return classes;
}
constexpr std::array<unsigned char, 256> kCharClasses = MakeCharClasses();

inline unsigned char ClassOf(char c) { return kCharClasses[static_cast<unsigned char>(c)]; }

// The separators among the 64 bytes from p on, and the line ends if asked: bit k for p[k].
struct BlockMap {
  std::uint64_t separators = 0;
  std::uint64_t lineFeeds = 0;
  std::uint64_t carriageReturns = 0;
};

template <bool kLineEnds>
MVG_FORCE_INLINE BlockMap MapBlock(const char* p) {
  BlockMap map;
#if defined(MVG_HAVE_SSE2)
  const __m128i space = _mm_set1_epi8(' ');
  const __m128i comma = _mm_set1_epi8(',');
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i carriageReturn = _mm_set1_epi8('\r');
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
    const __m128i lineFeeds = _mm_cmpeq_epi8(bytes, lineFeed);
    const __m128i carriageReturns = _mm_cmpeq_epi8(bytes, carriageReturn);
    const __m128i separators = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, space), _mm_cmpeq_epi8(bytes, comma)),
        _mm_or_si128(_mm_cmpeq_epi8(bytes, tab), _mm_or_si128(lineFeeds, carriageReturns)));
    const int shift = 16 * part;
    map.separators |=
        static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(separators))) << shift;
    if (kLineEnds) {
      map.lineFeeds |=
          static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(lineFeeds))) << shift;
      map.carriageReturns |=
          static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(carriageReturns)))
          << shift;
    }
  }
#else
  for (int k = 0; k < 64; ++k) {
    map.separators |= static_cast<std::uint64_t>(ClassOf(p[k]) == kSeparator) << k;
    if (kLineEnds) {
      map.lineFeeds |= static_cast<std::uint64_t>(p[k] == '\n') << k;
      map.carriageReturns |= static_cast<std::uint64_t>(p[k] == '\r') << k;
    }
  }
#endif
  return map;
}

// Reads the quick unsigned tokens of a block (see ShortDecimal.h) from its lowest start on, into
// the sink's quick part, until a token that is not one (or one the sink does not take) or the
// last start; returns the starts left.
template <class Quick>
MVG_FORCE_INLINE std::uint64_t ReadQuickTokens(const char* blockText, std::uint64_t starts,
                                               Quick& sinkQuick) {
  Quick quick = sinkQuick;
  while (starts != 0) {
    const unsigned at = LowestSetBit(starts);
    ShortDecimal number;
    const char* const token = blockText + at;
    const char* const stop = ReadShortUnsignedDecimal(token, NotDigitsAt(token), &number);
    // A separator ends the token: not the end of what was read, nor a character 26.
    if (stop == nullptr || ClassOf(*stop) != kSeparator || !quick.Take(number)) break;
    starts &= starts - 1;
  }
  sinkQuick = quick;
  return starts;
}

// Bytes read past the end of a chunk: the maps of a block and the next one, a quick token reading.
constexpr std::size_t kReadAhead = 128;
static_assert(kReadAhead >= kShortDecimalReadAhead, "room for the quick token reading");
static_assert(kChunkSlack >= 1 + kReadAhead, "room for the sentinel and the reading ahead");

constexpr std::size_t kShownTokenBytes = 40;

template <class Sink>
bool Take(std::string_view token, std::uint64_t offset, Sink& sink, ChunkOutcome& outcome) {
  const DecimalReading reading = ReadDecimal(token);
  if (reading.status == DecimalStatus::kNumber) {
    sink.Add(reading.value);
    return true;
  }
  if (reading.status == DecimalStatus::kNaN) {
    sink.AddHole();
    return true;
  }
  outcome.stop = reading.status == DecimalStatus::kOutOfRange ? TextPassStop::kBeyondFloatRange
                                                              : TextPassStop::kNotANumber;
  outcome.problemOffset = offset;
  outcome.token = ShownToken(token);
  return false;
}

template <class Sink>
void ParseWith(const ChunkText& chunk, Sink& sink, ChunkOutcome& outcome) {
  char* const text = chunk.start;
  const std::size_t n = chunk.size;
  const std::uint64_t readAt = chunk.offset;
  // A character 26 ends the text: nothing from it on counts. Else a sentinel at the end stops
  // every scanning loop below.
  const void* const mark = std::memchr(text, kEndOfFileMark, n);
  const std::size_t last =
      mark != nullptr ? static_cast<std::size_t>(static_cast<const char*>(mark) - text) : n;
  text[n] = kEndOfFileMark;
  std::size_t i = 0;
  if (!chunk.first) {
    // The byte before the chunk tells whether its first token belongs to the previous chunk.
    if (last == 0) {
      outcome.endMark = mark != nullptr;
      outcome.endMarkOffset = readAt;
      return;
    }
    i = 1;
    if (ClassOf(text[0]) == kTokenChar) {
      while (ClassOf(text[i]) == kTokenChar) ++i;
    }
  }

  // Token starts come from a map of the separators, 64 bytes at a time, so each token is read
  // independently of where the one before ended. The sink is a local copy that stays in
  // registers; it goes back at every way out.
  Sink local = sink;
  std::uint64_t separatorBefore = 1;
  // A CR+LF counts as one line end, also when a chunk starts between the two.
  std::uint64_t carriageReturnBefore = i > 0 && text[i - 1] == '\r';
  constexpr bool kLineEnds = Sink::kCountsLines;
  BlockMap map = MapBlock<kLineEnds>(text + i);
  for (std::size_t block = i; block < last; block += 64) {
    // The next block's map too: a token near the end of this one runs on into it.
    const BlockMap next = MapBlock<kLineEnds>(text + block + 64);
    const std::uint64_t inText =
        last - block < 64 ? (std::uint64_t{1} << (last - block)) - 1 : ~std::uint64_t{0};
    std::uint64_t starts = ~map.separators & ((map.separators << 1) | separatorBefore) & inText;
    separatorBefore = map.separators >> 63;
    if (kLineEnds) {
      const std::uint64_t lineEnds =
          (map.carriageReturns |
           (map.lineFeeds & ~((map.carriageReturns << 1) | carriageReturnBefore))) &
          inText;
      carriageReturnBefore = map.carriageReturns >> 63;
      if (lineEnds != 0) local.EndLines(lineEnds, starts);
    }
    for (;;) {
      starts = ReadQuickTokens(text + block, starts, local.quick);
      if (starts == 0) break;
      const unsigned at = LowestSetBit(starts);
      const std::size_t tokenStart = block + at;
      starts &= starts - 1;
      // Anything else: a sign, a longer or other number, a bad token.
      float shortValue;
      const char* stop = ReadShortDecimal(text + tokenStart, &shortValue);
      if (stop != nullptr && ClassOf(*stop) != kTokenChar) {
        local.AddShort(shortValue);
        continue;
      }
      stop = text + tokenStart;
      while (ClassOf(*stop) == kTokenChar) ++stop;
      const std::size_t tokenEnd = static_cast<std::size_t>(stop - text);
      if (!Take(std::string_view(text + tokenStart, tokenEnd - tokenStart), readAt + tokenStart,
                local, outcome)) {
        sink = local;
        return;
      }
    }
    map = next;
  }
  sink = local;
  outcome.endMark = mark != nullptr;
  outcome.endMarkOffset = readAt + last;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Whether only blanks stand before text[at] on its line.
bool FirstOnItsLine(const ChunkText& chunk, std::size_t at) {
  const std::size_t from = chunk.first ? 0 : 1;
  while (at > from && IsBlank(chunk.start[at - 1])) --at;
  return at > from ? IsLineEnd(chunk.start[at - 1]) : chunk.blankBefore;
}

// When the bad token at `offset` starts a comment line, blanks out every comment line of the
// chunk up to a character 26, noting their lines, and returns true; a comment line's line end
// stays, so that lines keep their numbers.
bool BlankCommentLines(const ChunkText& chunk, std::uint64_t offset, SkippedLines& comments) {
  char* const text = chunk.start;
  const std::size_t at = static_cast<std::size_t>(offset - chunk.offset);
  if (!IsCommentMark(text[at]) || !FirstOnItsLine(chunk, at)) return false;
  const std::size_t from = chunk.first ? 0 : 1;
  const void* const mark = std::memchr(text + from, kEndOfFileMark, chunk.size - from);
  const std::size_t end = mark != nullptr
                              ? static_cast<std::size_t>(static_cast<const char*>(mark) - text)
                              : chunk.size;
  std::uint64_t line = 1;
  bool blankSoFar = chunk.blankBefore;
  char previous = from == 0 ? '\n' : text[0];
  std::size_t i = from;
  while (i < end) {
    const char c = text[i];
    if (IsLineEnd(c)) {
      if (c == '\r' || previous != '\r') ++line;
      blankSoFar = true;
    } else if (blankSoFar && IsCommentMark(c)) {
      comments.Add(line);
      while (i < end && !IsLineEnd(text[i])) text[i++] = ' ';
      blankSoFar = false;
      previous = ' ';
      continue;
    } else if (!IsBlank(c)) {
      blankSoFar = false;
    }
    previous = c;
    ++i;
  }
  return true;
}

// A chunk's parse; one that stops at a comment line parses again with its comment lines blanked
// out, so files without them pay nothing.
template <class Sink>
void ParseChunkWith(const ChunkText& chunk, Sink& sink, ChunkOutcome& outcome) {
  const Sink start = sink;
  ParseWith(chunk, sink, outcome);
  if (outcome.stop == TextPassStop::kNotANumber &&
      BlankCommentLines(chunk, outcome.problemOffset, outcome.comments)) {
    SkippedLines comments = std::move(outcome.comments);
    sink = start;
    *sink.lines = LineTally{};
    outcome = ChunkOutcome{};
    outcome.comments = std::move(comments);
    ParseWith(chunk, sink, outcome);
  }
  sink.Finish();
}

}  // namespace

void ParseChunk(const ChunkText& chunk, CountingSink& sink, ChunkOutcome& outcome) {
  ParseChunkWith(chunk, sink, outcome);
}

void ParseChunk(const ChunkText& chunk, LoadingSink& sink, ChunkOutcome& outcome) {
  ParseChunkWith(chunk, sink, outcome);
}

bool HoldsText(const char* text, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (ClassOf(text[i]) == kTokenChar && text[i] != 0) return true;
  }
  return false;
}

ChunkPlace PlaceInChunk(const ChunkText& chunk, std::uint64_t offset) {
  ChunkPlace place;
  const std::size_t from = chunk.first ? 0 : 1;
  const std::size_t to = static_cast<std::size_t>(offset - chunk.offset);
  char previous = chunk.first ? '\n' : chunk.start[0];
  for (std::size_t i = from; i < to; ++i) {
    const char c = chunk.start[i];
    if (c == '\n' ? previous != '\r' : c == '\r') {
      ++place.lineEnds;
      place.valuesOnLine = 0;
    } else if (ClassOf(c) == kTokenChar && ClassOf(previous) == kSeparator) {
      ++place.valuesOnLine;
    }
    previous = c;
  }
  return place;
}

std::string ShownToken(std::string_view raw, bool continues) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  const std::size_t length = std::min(raw.size(), kShownTokenBytes);
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(raw[i]);
    if (c == '"' || c == '\\') {
      shown += '\\';
      shown += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    }
  }
  if (continues || raw.size() > length) shown += "...";
  return shown;
}
