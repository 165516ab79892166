#pragma once
// One chunk of a text grid in memory: its tokens, read and checked in order and handed to a sink.

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "grid/DecimalNumber.h"
#include "grid/NoDataMarkers.h"
#include "grid/ShortDecimal.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"
#include "textgrid/TextGridPass.h"

// The bounds of one chunk, as a reading from its start with bounds at +/-1e30 finds them, and its
// lowest and highest values. A reading that comes to the chunk with other bounds ends it with the
// same bounds as this one when the lowest value is below its minimum (the highest above its
// maximum), or else with its own: so chunks merge exactly, down to the sign of a zero.
struct ChunkBounds {
  float minimum = 1e30f;
  float maximum = -1e30f;
  double lowest = std::numeric_limits<double>::infinity();
  double highest = -std::numeric_limits<double>::infinity();
};

// Sinks take a value as read (a double) or a quick token's float (AddShort; see ShortDecimal.h).
// Their Quick part is what a run of quick unsigned tokens needs, small enough to stay in registers
// while the run is read; it refuses a value it cannot take in place (then AddShort takes it).
// Quick values have a first digit 1 to 9: they are positive, and a bound equal to one of them is
// the same float whenever it came, so their extremes are taken in at the end. A zero's place among
// the others matters (the first zero of a reading gives a zero bound its sign): not here, nor
// other leading zeros.

// Counting alone: extremes kept as OrderKeys, far cheaper than the values.
struct CountingQuick {
  std::uint64_t count = 0;
  std::uint64_t lowest = ~std::uint64_t{0};
  std::uint64_t highest = 0;
  bool Take(const ShortDecimal& number) {
    if (number.StartsWithZero()) return false;
    const std::uint64_t key = number.OrderKey();
    lowest = key < lowest ? key : lowest;
    highest = key > highest ? key : highest;
    ++count;
    return true;
  }
  void Store(float) {}
  bool Extremes(float* low, float* high) const {
    if (highest == 0) return false;
    *low = FloatOfOrderKey(lowest);
    *high = FloatOfOrderKey(highest);
    return true;
  }
};

// Counting and storing, in a buffer with room for every value of the chunk: the values are worked
// out anyway, so their extremes are kept as floats.
struct LoadingQuick {
  float* out = nullptr;
  std::uint64_t count = 0;
  float lowest = std::numeric_limits<float>::infinity();
  float highest = -std::numeric_limits<float>::infinity();
  bool Take(const ShortDecimal& number) {
    if (number.StartsWithZero()) return false;
    const float value = number.Value();
    lowest = value < lowest ? value : lowest;
    highest = value > highest ? value : highest;
    out[count++] = value;
    return true;
  }
  void Store(float value) { out[count] = value; }
  bool Extremes(float* low, float* high) const {
    *low = lowest;
    *high = highest;
    return lowest <= highest;
  }
};

template <class QuickPart>
struct ChunkSink {
  static constexpr bool kCountsLines = true;
  using Quick = QuickPart;
  Quick quick;
  ChunkBounds bounds;
  LineTally* lines = nullptr;  // where line ends go, with the values before them
  std::uint64_t valuesOnLines = 0;
  std::uint64_t holes = 0;  // NaN tokens, and the place of the first among the chunk's values
  std::uint64_t firstHole = 0;

  std::uint64_t Count() const { return quick.count; }
  void Add(double value) {
    // The value as read against the float bounds; an equal value changes nothing.
    if (value < bounds.minimum) bounds.minimum = static_cast<float>(value);
    if (value > bounds.maximum) bounds.maximum = static_cast<float>(value);
    if (value < bounds.lowest) bounds.lowest = value;
    if (value > bounds.highest) bounds.highest = value;
    quick.Store(static_cast<float>(value));
    ++quick.count;
  }
  // A NaN: a node without a value, which holds the marker that holes hold.
  void AddHole() {
    if (holes++ == 0) firstHole = quick.count;
    Add(kSurferBlank);
  }
  // Rounding keeps order and the bounds are floats, so the float compares with them as its double
  // would (but for an equal float, which changes nothing either way).
  void AddShort(float value) {
    if (value < bounds.minimum) bounds.minimum = value;
    if (value > bounds.maximum) bounds.maximum = value;
    quick.Store(value);
    ++quick.count;
  }
  // The line ends of a 64-byte block (bit k for byte k) and the starts of its tokens, before any
  // of them is counted.
  void EndLines(std::uint64_t lineEnds, std::uint64_t starts) {
    do {
      const std::uint64_t before = starts & ((lineEnds & (~lineEnds + 1)) - 1);
      const std::uint64_t values = quick.count + std::bitset<64>(before).count();
      lines->AddValues(values - valuesOnLines);
      lines->EndLine();
      valuesOnLines = values;
      lineEnds &= lineEnds - 1;
    } while (lineEnds != 0);
  }
  // Lowest and highest take in the quick values through the bounds: the bounds lie at or beyond
  // every quick value, and a bound from another value v lies beyond no float that v does not, so
  // the merge's comparisons with float bounds come out as with the lowest and highest values.
  void Finish() {
    float lowest, highest;
    if (quick.Extremes(&lowest, &highest)) {
      if (lowest < bounds.minimum) bounds.minimum = lowest;
      if (highest > bounds.maximum) bounds.maximum = highest;
    }
    if (bounds.minimum < bounds.lowest) bounds.lowest = bounds.minimum;
    if (bounds.maximum > bounds.highest) bounds.highest = bounds.maximum;
    lines->AddValues(quick.count - valuesOnLines);
  }
};
using CountingSink = ChunkSink<CountingQuick>;
using LoadingSink = ChunkSink<LoadingQuick>;

// Why a chunk stopped early: a bad token, a read failure, or a character 26 that ends the text;
// and the comment lines passed over.
struct ChunkOutcome {
  TextPassStop stop = TextPassStop::kEnd;
  SkippedLines comments;            // numbered from the chunk's first line as 1
  bool endMark = false;             // a character 26: nothing after it counts
  std::uint64_t endMarkOffset = 0;  // where the character 26 is
  std::uint64_t problemOffset = 0;
  std::string token;
};

// One chunk of text in memory, ending where a token ends (or where the text does).
struct ChunkText {
  // The byte before the chunk (when it is not the first), then the chunk: `size` bytes from
  // `start` in all, with room for kChunkSlack more after them.
  char* start = nullptr;
  std::size_t size = 0;
  std::uint64_t offset = 0;  // of start in the text
  bool first = true;         // the text's first chunk: no byte before it
  // The line the chunk starts on holds only blanks before it. The chunks end so that a comment
  // line (shorter than a few KiB) lies whole in one of them.
  bool blankBefore = true;
};

// Bytes a chunk's buffer holds beyond its text: a sentinel and the maps' and quick reading's
// reading ahead.
inline constexpr std::size_t kChunkSlack = 1 + 128;

// Reads the tokens of a chunk into the sink (a CountingSink or LoadingSink), in order; stops at a
// bad token or a character 26. Writes the sentinel after the chunk's text, and blanks out the
// comment lines once it meets one.
void ParseChunk(const ChunkText& chunk, CountingSink& sink, ChunkOutcome& outcome);
void ParseChunk(const ChunkText& chunk, LoadingSink& sink, ChunkOutcome& outcome);

// A line whose first character other than spaces and tabs is one of these is a comment, passed
// over wherever it is.
inline bool IsCommentMark(char c) { return c == '#' || c == '%'; }

// Whether a byte ends a token: a separator or a character 26.
inline bool EndsToken(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '\n' || c == '\r' || c == 26;
}

// Whether bytes hold more than blanks: separators, and the characters 26 and NUL bytes that pad
// a file's last record.
bool HoldsText(const char* text, std::size_t size);

// Where a token stands in a chunk: the line ends and the values on the current line before
// `offset` (a token start in the chunk).
struct ChunkPlace {
  std::uint64_t lineEnds = 0;
  std::uint64_t valuesOnLine = 0;
};
ChunkPlace PlaceInChunk(const ChunkText& chunk, std::uint64_t offset);

// A token as shown in a message: printable, escaped (\xHH, \", \\), shortened when long.
std::string ShownToken(std::string_view raw, bool continues = false);
