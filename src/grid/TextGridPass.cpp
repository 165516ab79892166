#include "grid/TextGridPass.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "grid/DecimalNumber.h"
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

// Bit k set when p[k] is a separator, for the 64 bytes from p on.
std::uint64_t SeparatorMask(const char* p) {
#if defined(__SSE2__)
  const __m128i space = _mm_set1_epi8(' ');
  const __m128i comma = _mm_set1_epi8(',');
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i carriageReturn = _mm_set1_epi8('\r');
  std::uint64_t mask = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
    const __m128i separators = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, space), _mm_cmpeq_epi8(bytes, comma)),
        _mm_or_si128(
            _mm_cmpeq_epi8(bytes, tab),
            _mm_or_si128(_mm_cmpeq_epi8(bytes, lineFeed), _mm_cmpeq_epi8(bytes, carriageReturn))));
    mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(separators)))
            << (16 * part);
  }
  return mask;
#else
  std::uint64_t mask = 0;
  for (int k = 0; k < 64; ++k) {
    mask |= static_cast<std::uint64_t>(ClassOf(p[k]) == kSeparator) << k;
  }
  return mask;
#endif
}

// Bytes read past the end of the text in a buffer: a separator map, a quick token reading.
constexpr std::size_t kReadAhead = 64;
static_assert(kReadAhead >= kShortDecimalReadAhead, "room for the quick token reading");

// Room after a chunk for the end of its last token; longer tokens are read in pieces.
constexpr std::size_t kTailRoom = std::size_t{64} << 10;
constexpr std::size_t kFirstTailRead = 256;
constexpr std::size_t kShownTokenBytes = 40;

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

struct CountingSink {
  std::uint64_t count = 0;
  ChunkBounds bounds;
  void Add(double value) {
    // The value as read against the float bounds; an equal value changes nothing.
    if (value < bounds.minimum) bounds.minimum = static_cast<float>(value);
    if (value > bounds.maximum) bounds.maximum = static_cast<float>(value);
    if (value < bounds.lowest) bounds.lowest = value;
    if (value > bounds.highest) bounds.highest = value;
    ++count;
  }
};

struct StoringSink {
  float* out = nullptr;
  std::uint64_t room = 0;
  std::uint64_t count = 0;
  void Add(double value) {
    if (count < room) out[count] = static_cast<float>(value);
    ++count;
  }
};

struct ChunkOutcome {
  TextPassStop stop = TextPassStop::kEnd;
  bool endMark = false;  // a character 26: nothing after it counts
  std::uint64_t problemOffset = 0;
  std::string token;
  std::string reason;
};

// The read buffer of one worker: the byte before its chunk, the chunk, room for the end of the
// last token, a sentinel and read-ahead room.
struct WorkerBuffers {
  std::unique_ptr<char[]> text;
  std::size_t textSize = 0;
};

class ChunkParser {
 public:
  ChunkParser(const TextSource& source, std::uint64_t size, WorkerBuffers& buffers)
      : source_(source), size_(size), buffers_(buffers) {}

  template <class Sink>
  void Parse(std::uint64_t begin, std::uint64_t end, Sink& sink, ChunkOutcome& outcome) const;

 private:
  template <class Sink>
  bool Take(std::string_view token, std::uint64_t offset, Sink& sink, ChunkOutcome& outcome) const;
  template <class Sink>
  void FinishTailToken(std::size_t tokenStart, std::size_t filled, std::uint64_t bufferOffset,
                       Sink& sink, ChunkOutcome& outcome) const;
  void FinishLongToken(std::string_view known, std::uint64_t readAt, DecimalReading* reading,
                       std::string* shown, ChunkOutcome& outcome) const;

  const TextSource& source_;
  std::uint64_t size_;
  WorkerBuffers& buffers_;
};

template <class Sink>
bool ChunkParser::Take(std::string_view token, std::uint64_t offset, Sink& sink,
                       ChunkOutcome& outcome) const {
  const DecimalReading reading = ReadDecimal(token);
  if (reading.status == DecimalStatus::kNumber) {
    sink.Add(reading.value);
    return true;
  }
  outcome.stop = reading.status == DecimalStatus::kOutOfRange ? TextPassStop::kBeyondFloatRange
                                                              : TextPassStop::kNotANumber;
  outcome.problemOffset = offset;
  outcome.token = ShownToken(token);
  return false;
}

template <class Sink>
void ChunkParser::Parse(std::uint64_t begin, std::uint64_t end, Sink& sink,
                        ChunkOutcome& outcome) const {
  char* const text = buffers_.text.get();
  const std::uint64_t readAt = begin == 0 ? 0 : begin - 1;
  const std::size_t wanted = static_cast<std::size_t>(end - readAt);
  std::size_t n = 0;
  if (!source_.ReadAt(readAt, text, wanted, &n, &outcome.reason)) {
    outcome.stop = TextPassStop::kReadError;
    return;
  }
  const bool atEnd = n < wanted || readAt + n >= size_;
  // A character 26 ends the text: nothing from it on counts. Else a sentinel at the end stops
  // every scanning loop below.
  const void* const mark = std::memchr(text, kEndOfFileMark, n);
  const std::size_t last =
      mark != nullptr ? static_cast<std::size_t>(static_cast<const char*>(mark) - text) : n;
  text[n] = kEndOfFileMark;
  const bool tokenMayGoOn = mark == nullptr && !atEnd;
  std::size_t i = 0;
  if (begin != 0) {
    // The byte before the chunk tells whether its first token belongs to the previous chunk.
    if (last == 0) {
      outcome.endMark = mark != nullptr;
      return;
    }
    i = 1;
    if (ClassOf(text[0]) == kTokenChar) {
      while (ClassOf(text[i]) == kTokenChar) ++i;
    }
  }

  // Token starts come from a map of the separators, 64 bytes at a time, so each token is read
  // independently of where the one before ended.
  std::uint64_t separatorBefore = 1;
  for (std::size_t block = i; block < last; block += 64) {
    const std::uint64_t separators = SeparatorMask(text + block);
    std::uint64_t starts = ~separators & ((separators << 1) | separatorBefore);
    separatorBefore = separators >> 63;
    if (last - block < 64) starts &= (std::uint64_t{1} << (last - block)) - 1;
    while (starts != 0) {
      const std::size_t tokenStart = block + static_cast<std::size_t>(__builtin_ctzll(starts));
      starts &= starts - 1;
      double value = 0.0;
      const char* stop = ReadShortDecimal(text + tokenStart, &value);
      const bool quick = stop != nullptr && ClassOf(*stop) != kTokenChar;
      if (!quick) {
        stop = text + tokenStart;
        while (ClassOf(*stop) == kTokenChar) ++stop;
      }
      const std::size_t tokenEnd = static_cast<std::size_t>(stop - text);
      if (tokenEnd == n && tokenMayGoOn) {
        FinishTailToken(tokenStart, n, readAt, sink, outcome);
        return;
      }
      if (quick) {
        sink.Add(value);
      } else if (!Take(std::string_view(text + tokenStart, tokenEnd - tokenStart),
                       readAt + tokenStart, sink, outcome)) {
        return;
      }
    }
  }
  outcome.endMark = mark != nullptr;
}

// The last token of a chunk runs past its end: read on until it ends.
template <class Sink>
void ChunkParser::FinishTailToken(std::size_t tokenStart, std::size_t filled,
                                  std::uint64_t bufferOffset, Sink& sink,
                                  ChunkOutcome& outcome) const {
  char* const text = buffers_.text.get();
  const std::size_t capacity = buffers_.textSize - 1;  // one byte for the sentinel
  std::size_t step = kFirstTailRead;
  for (;;) {
    const std::size_t room = capacity - filled;
    if (room == 0) break;
    const std::size_t wanted = std::min(step, room);
    step = room;
    std::size_t got = 0;
    if (!source_.ReadAt(bufferOffset + filled, text + filled, wanted, &got, &outcome.reason)) {
      outcome.stop = TextPassStop::kReadError;
      return;
    }
    text[filled + got] = kEndOfFileMark;
    std::size_t i = filled;
    while (ClassOf(text[i]) == kTokenChar) ++i;
    const bool tokenEnds = i < filled + got || got < wanted;
    filled += got;
    if (tokenEnds) {
      if (Take(std::string_view(text + tokenStart, i - tokenStart), bufferOffset + tokenStart, sink,
               outcome) &&
          i < filled && ClassOf(text[i]) == kEndMark) {
        outcome.endMark = true;
      }
      return;
    }
  }
  // Longer than the buffer: read it in pieces with a bounded state.
  DecimalReading reading;
  std::string shown;
  FinishLongToken(std::string_view(text + tokenStart, filled - tokenStart), bufferOffset + filled,
                  &reading, &shown, outcome);
  if (outcome.stop != TextPassStop::kEnd) return;
  if (reading.status == DecimalStatus::kNumber) {
    sink.Add(reading.value);
    return;
  }
  outcome.stop = reading.status == DecimalStatus::kOutOfRange ? TextPassStop::kBeyondFloatRange
                                                              : TextPassStop::kNotANumber;
  outcome.problemOffset = bufferOffset + tokenStart;
  outcome.token = shown;
}

void ChunkParser::FinishLongToken(std::string_view known, std::uint64_t readAt,
                                  DecimalReading* reading, std::string* shown,
                                  ChunkOutcome& outcome) const {
  *shown = ShownToken(known, true);
  DecimalAccumulator accumulator;
  accumulator.Feed(known);
  char* const text = buffers_.text.get();
  const std::size_t capacity = buffers_.textSize - 1;
  for (;;) {
    std::size_t got = 0;
    if (!source_.ReadAt(readAt, text, capacity, &got, &outcome.reason)) {
      outcome.stop = TextPassStop::kReadError;
      return;
    }
    text[got] = kEndOfFileMark;
    std::size_t i = 0;
    while (ClassOf(text[i]) == kTokenChar) ++i;
    accumulator.Feed(std::string_view(text, i));
    if (i < got || got < capacity) {
      *reading = accumulator.Finish();
      if (reading->status == DecimalStatus::kNumber && i < got && ClassOf(text[i]) == kEndMark) {
        outcome.endMark = true;
      }
      return;
    }
    readAt += got;
  }
}

// A parsed chunk waiting for the chunks before it. Load passes park its values here until
// their place in the array is known.
struct ChunkSlot {
  bool done = false;
  bool storedInPlace = false;
  std::uint64_t count = 0;
  ChunkBounds bounds;
  ChunkOutcome outcome;
  std::unique_ptr<float[]> values;
};

// State shared by the workers of one pass. Workers take chunks in order and parse them at once;
// a window of slots lets them run ahead of the merge by a few chunks, so that a thread the
// system holds back for a while does not stop the others.
struct Pass {
  Pass(const TextSource& source, const TextPassOptions& options, float* values,
       std::uint64_t capacity, const ReadProgress& progress)
      : source(source),
        size(source.Size()),
        chunkBytes(std::max<std::size_t>(options.chunkBytes, 1)),
        chunkCount((size + this->chunkBytes - 1) / this->chunkBytes),
        values(values),
        capacity(capacity),
        maxValues(options.maxValues),
        progress(progress) {}

  const TextSource& source;
  const std::uint64_t size;
  const std::size_t chunkBytes;
  const std::uint64_t chunkCount;
  float* const values;  // null for a scan
  const std::uint64_t capacity;
  const std::uint64_t maxValues;
  const ReadProgress& progress;

  std::mutex mutex;
  std::condition_variable changed;
  std::vector<ChunkSlot> slots;    // chunk k waits in slots[k % slots.size()]
  std::size_t slotRoom = 0;        // values a slot holds
  std::uint64_t nextChunk = 0;     // the next chunk to take
  std::uint64_t mergedChunks = 0;  // chunks merged into result, in file order
  bool stopped = false;
  TextPassResult result;
  std::uint64_t reportedBytes = 0;  // only the calling thread reports progress
};

// Merges one chunk in file order; returns where its values go (load passes).
std::uint64_t Merge(Pass& pass, ChunkSlot& slot) {
  TextPassResult& result = pass.result;
  const std::uint64_t place = result.count;
  ChunkOutcome& outcome = slot.outcome;
  if (outcome.stop != TextPassStop::kEnd) {
    result.stop = outcome.stop;
    result.problemOffset = outcome.problemOffset;
    result.token = std::move(outcome.token);
    result.reason = std::move(outcome.reason);
    pass.stopped = true;
    return place;
  }
  result.count += slot.count;
  if (slot.bounds.lowest < result.minimum) result.minimum = slot.bounds.minimum;
  if (slot.bounds.highest > result.maximum) result.maximum = slot.bounds.maximum;
  if (result.count > pass.maxValues) {
    result.stop = TextPassStop::kTooManyValues;
    pass.stopped = true;
  } else if (pass.values != nullptr && result.count > pass.capacity) {
    result.stop = TextPassStop::kMoreThanCapacity;
    pass.stopped = true;
  } else if (outcome.endMark) {
    pass.stopped = true;
  }
  return place;
}

// Merges every parsed chunk at the front, in order, and frees their slots.
void MergeReadyChunks(Pass& pass) {
  while (!pass.stopped && pass.mergedChunks < pass.nextChunk) {
    ChunkSlot& slot = pass.slots[pass.mergedChunks % pass.slots.size()];
    if (!slot.done) return;
    const std::uint64_t place = Merge(pass, slot);
    // Values up to a character 26 count too; after a refusal nothing is stored.
    if (pass.values != nullptr && !slot.storedInPlace && slot.count > 0 &&
        pass.result.stop == TextPassStop::kEnd) {
      std::memcpy(pass.values + place, slot.values.get(), slot.count * sizeof(float));
    }
    slot.done = false;
    slot.storedInPlace = false;
    slot.count = 0;
    slot.bounds = ChunkBounds{};
    slot.outcome = ChunkOutcome{};
    ++pass.mergedChunks;
  }
}

void ReportProgress(Pass& pass, std::uint64_t bytesDone) {
  if (!pass.progress) return;
  if (bytesDone < pass.size && bytesDone - pass.reportedBytes < pass.size / 100) return;
  pass.reportedBytes = bytesDone;
  pass.progress(bytesDone, pass.size);
}

void RunWorker(Pass& pass, WorkerBuffers& buffers, bool reportsProgress) {
  const ChunkParser parser(pass.source, pass.size, buffers);
  std::unique_lock<std::mutex> lock(pass.mutex);
  for (;;) {
    pass.changed.wait(lock, [&] {
      return pass.stopped || pass.nextChunk >= pass.chunkCount ||
             pass.nextChunk < pass.mergedChunks + pass.slots.size();
    });
    if (pass.stopped || pass.nextChunk >= pass.chunkCount) return;
    const std::uint64_t chunk = pass.nextChunk++;
    ChunkSlot& slot = pass.slots[chunk % pass.slots.size()];
    // Values go straight into the array when this chunk's place is known already.
    slot.storedInPlace = pass.values != nullptr && pass.mergedChunks == chunk;
    const std::uint64_t place = pass.result.count;
    lock.unlock();

    const std::uint64_t begin = chunk * pass.chunkBytes;
    const std::uint64_t end = std::min(pass.size, begin + pass.chunkBytes);
    if (pass.values == nullptr) {
      CountingSink sink;
      parser.Parse(begin, end, sink, slot.outcome);
      slot.count = sink.count;
      slot.bounds = sink.bounds;
    } else {
      StoringSink sink;
      if (slot.storedInPlace) {
        sink.out = pass.values + std::min(place, pass.capacity);
        sink.room = pass.capacity > place ? pass.capacity - place : 0;
      } else {
        sink.out = slot.values.get();
        sink.room = pass.slotRoom;
      }
      parser.Parse(begin, end, sink, slot.outcome);
      slot.count = sink.count;
    }

    lock.lock();
    slot.done = true;
    MergeReadyChunks(pass);
    pass.changed.notify_all();
    if (reportsProgress) {
      const std::uint64_t bytesDone = std::min(pass.size, pass.mergedChunks * pass.chunkBytes);
      lock.unlock();
      ReportProgress(pass, bytesDone);
      lock.lock();
    }
  }
}

bool AllocateBuffers(WorkerBuffers& buffers, std::size_t chunkBytes, std::uint64_t textSize) {
  // No more than the text needs; read-ahead room after the sentinel, for the quick reading of a
  // token near the end.
  const std::size_t tailRoom =
      static_cast<std::size_t>(std::min<std::uint64_t>(kTailRoom, textSize));
  buffers.textSize = chunkBytes + 1 + tailRoom + 1;
  buffers.text.reset(new (std::nothrow) char[buffers.textSize + kReadAhead]);
  if (!buffers.text) return false;
  std::memset(buffers.text.get() + buffers.textSize, 0, kReadAhead);
  return true;
}

TextPassResult RunPass(const TextSource& source, float* values, std::uint64_t capacity,
                       const ReadProgress& progress, const TextPassOptions& options) {
  Pass pass(source, options, values, capacity, progress);
  unsigned threads = options.threads;
  if (threads == 0) threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
  threads = static_cast<unsigned>(std::min<std::uint64_t>(threads, pass.chunkCount));
  if (threads == 0) return pass.result;  // an empty text

  const std::size_t chunkBytes =
      static_cast<std::size_t>(std::min<std::uint64_t>(pass.chunkBytes, pass.size));
  std::vector<WorkerBuffers> buffers(threads);
  for (unsigned t = 0; t < threads; ++t) {
    if (!AllocateBuffers(buffers[t], chunkBytes, pass.size)) {
      if (t == 0) {
        pass.result.stop = TextPassStop::kOutOfMemory;
        return pass.result;
      }
      threads = t;
      break;
    }
  }
  // One slot more than threads: each may run one chunk ahead of the slowest.
  pass.slots.resize(threads + 1);
  // A chunk owns at most one token for every two bytes, plus the one it finishes.
  pass.slotRoom = chunkBytes / 2 + 2;
  for (ChunkSlot& slot : pass.slots) {
    if (values == nullptr) break;
    slot.values.reset(new (std::nothrow) float[pass.slotRoom]);
    if (!slot.values) {
      pass.result.stop = TextPassStop::kOutOfMemory;
      return pass.result;
    }
  }
  std::vector<std::thread> helpers;
  for (unsigned t = 1; t < threads; ++t) {
    try {
      helpers.emplace_back(RunWorker, std::ref(pass), std::ref(buffers[t]), false);
    } catch (...) {
      break;  // fewer threads do the same work
    }
  }
  RunWorker(pass, buffers[0], true);
  for (std::thread& helper : helpers) helper.join();
  if (progress && pass.result.stop == TextPassStop::kEnd && pass.reportedBytes < pass.size) {
    progress(pass.size, pass.size);
  }
  return std::move(pass.result);
}

}  // namespace

bool MemoryTextSource::ReadAt(std::uint64_t offset, char* buffer, std::size_t size,
                              std::size_t* got, std::string* /*reason*/) const {
  *got = 0;
  if (offset >= text_.size()) return true;
  *got = static_cast<std::size_t>(std::min<std::uint64_t>(size, text_.size() - offset));
  std::memcpy(buffer, text_.data() + offset, *got);
  return true;
}

TextPassResult ScanTextPass(const TextSource& source, const ReadProgress& progress,
                            const TextPassOptions& options) {
  return RunPass(source, nullptr, 0, progress, options);
}

TextPassResult LoadTextPass(const TextSource& source, float* values, std::uint64_t capacity,
                            const ReadProgress& progress, const TextPassOptions& options) {
  TextPassResult result = RunPass(source, values, capacity, progress, options);
  result.minimum = 1e30f;
  result.maximum = -1e30f;
  return result;
}

bool LineOfOffset(const TextSource& source, std::uint64_t offset, std::uint64_t* line,
                  std::string* reason) {
  const std::size_t blockSize =
      static_cast<std::size_t>(std::min<std::uint64_t>(std::uint64_t{1} << 20, offset + 1));
  std::unique_ptr<char[]> block(new (std::nothrow) char[blockSize]);
  if (!block) return false;
  std::uint64_t lineEnds = 0;
  bool afterCarriageReturn = false;
  for (std::uint64_t at = 0; at < offset;) {
    std::size_t got = 0;
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(blockSize, offset - at));
    if (!source.ReadAt(at, block.get(), wanted, &got, reason)) return false;
    if (got == 0) break;
    for (std::size_t i = 0; i < got; ++i) {
      const char c = block[i];
      if (c == '\n' || afterCarriageReturn) ++lineEnds;  // CR+LF counts once, at its LF
      afterCarriageReturn = c == '\r';
      if (c == '\n') afterCarriageReturn = false;
    }
    at += got;
  }
  // A CR just before the offset ends its line: the token there is no LF.
  if (afterCarriageReturn) ++lineEnds;
  *line = lineEnds + 1;
  return true;
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
