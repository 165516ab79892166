#pragma once
// One chunk of a text grid: the tokens that start in it, read and checked in order and handed to
// a sink. A chunk owns the tokens that start in it: it skips the end of a token begun before it
// and reads on past its end to finish its last one.

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "grid/DecimalNumber.h"
#include "grid/ShortDecimal.h"
#include "grid/TextGridLines.h"
#include "grid/TextGridPass.h"

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
struct CountingSink {
  static constexpr bool kCountsLines = true;
  struct Quick {
    std::uint64_t count = 0;
    std::uint64_t lowest = ~std::uint64_t{0};  // OrderKeys of values with a first digit 1 to 9
    std::uint64_t highest = 0;
    // Such values are positive, and a bound equal to one of them is the same float whenever it
    // came: their extremes are taken in at the end. A zero's place among the others matters (the
    // first zero of a reading gives a zero bound its sign): not here, nor other leading zeros.
    bool Take(const ShortDecimal& number) {
      if (number.StartsWithZero()) return false;
      const std::uint64_t key = number.OrderKey();
      lowest = key < lowest ? key : lowest;
      highest = key > highest ? key : highest;
      ++count;
      return true;
    }
  };
  Quick quick;
  ChunkBounds bounds;
  LineTally* lines = nullptr;  // where line ends go, with the values before them
  std::uint64_t valuesOnLines = 0;

  std::uint64_t Count() const { return quick.count; }
  void Add(double value) {
    // The value as read against the float bounds; an equal value changes nothing.
    if (value < bounds.minimum) bounds.minimum = static_cast<float>(value);
    if (value > bounds.maximum) bounds.maximum = static_cast<float>(value);
    if (value < bounds.lowest) bounds.lowest = value;
    if (value > bounds.highest) bounds.highest = value;
    ++quick.count;
  }
  // Rounding keeps order and the bounds are floats, so the float compares with them as its double
  // would (but for an equal float, which changes nothing either way).
  void AddShort(float value) {
    if (value < bounds.minimum) bounds.minimum = value;
    if (value > bounds.maximum) bounds.maximum = value;
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
  // Lowest and highest take in the short values through the bounds: the bounds lie at or beyond
  // every short value, and a bound from another value v lies beyond no float that v does not, so
  // the merge's comparisons with float bounds come out as with the lowest and highest values.
  void Finish() {
    if (quick.highest != 0) {
      const float lowest = FloatOfOrderKey(quick.lowest);
      const float highest = FloatOfOrderKey(quick.highest);
      if (lowest < bounds.minimum) bounds.minimum = lowest;
      if (highest > bounds.maximum) bounds.maximum = highest;
    }
    if (bounds.minimum < bounds.lowest) bounds.lowest = bounds.minimum;
    if (bounds.maximum > bounds.highest) bounds.highest = bounds.maximum;
    lines->AddValues(quick.count - valuesOnLines);
  }
};

struct StoringSink {
  static constexpr bool kCountsLines = false;
  struct Quick {
    float* out = nullptr;
    std::uint64_t room = 0;
    std::uint64_t count = 0;
    bool Take(const ShortDecimal& number) {
      if (count >= room) return false;
      out[count++] = number.Value();
      return true;
    }
  };
  Quick quick;

  std::uint64_t Count() const { return quick.count; }
  void Add(double value) { AddShort(static_cast<float>(value)); }
  void AddShort(float value) {
    if (quick.count < quick.room) quick.out[quick.count] = value;  // beyond: counted, not stored
    ++quick.count;
  }
  void EndLines(std::uint64_t, std::uint64_t) {}
};

// Why a chunk stopped early: a bad token, a read error, or a character 26 that ends the text.
struct ChunkOutcome {
  TextPassStop stop = TextPassStop::kEnd;
  bool endMark = false;             // a character 26: nothing after it counts
  std::uint64_t endMarkOffset = 0;  // where the character 26 is
  std::uint64_t problemOffset = 0;
  std::string token;
  std::string reason;
};

class ChunkParser {
 public:
  explicit ChunkParser(const TextSource& source) : source_(source), size_(source.Size()) {}

  // A buffer for chunks of up to chunkBytes; false when there is no memory for it.
  bool Allocate(std::size_t chunkBytes);
  void Parse(std::uint64_t begin, std::uint64_t end, CountingSink& sink, ChunkOutcome& outcome);
  void Parse(std::uint64_t begin, std::uint64_t end, StoringSink& sink, ChunkOutcome& outcome);

 private:
  template <class Sink>
  void ParseWith(std::uint64_t begin, std::uint64_t end, Sink& sink, ChunkOutcome& outcome);
  static bool Take(std::string_view token, std::uint64_t offset, double* value,
                   ChunkOutcome& outcome);
  template <class Sink>
  void FinishTailToken(std::size_t tokenStart, std::size_t filled, std::uint64_t bufferOffset,
                       Sink& sink, ChunkOutcome& outcome);
  void FinishLongToken(std::string_view known, std::uint64_t readAt, DecimalReading* reading,
                       std::string* shown, ChunkOutcome& outcome);

  const TextSource& source_;
  std::uint64_t size_;
  // The byte before a chunk, the chunk, room for the end of its last token, a sentinel and
  // read-ahead room.
  std::unique_ptr<char[]> text_;
  std::size_t textSize_ = 0;
};

// A token as shown in a message: printable, escaped (\xHH, \", \\), shortened when long.
std::string ShownToken(std::string_view raw, bool continues = false);
