#include "grid/TextGridPass.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include "grid/TextChunkParser.h"

namespace {

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

void RunWorker(Pass& pass, ChunkParser& parser, bool reportsProgress) {
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

TextPassResult RunPass(const TextSource& source, float* values, std::uint64_t capacity,
                       const ReadProgress& progress, const TextPassOptions& options) {
  Pass pass(source, options, values, capacity, progress);
  unsigned threads = options.threads;
  if (threads == 0) threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
  threads = static_cast<unsigned>(std::min<std::uint64_t>(threads, pass.chunkCount));
  if (threads == 0) return pass.result;  // an empty text

  const std::size_t chunkBytes =
      static_cast<std::size_t>(std::min<std::uint64_t>(pass.chunkBytes, pass.size));
  std::vector<ChunkParser> parsers;
  parsers.reserve(threads);
  for (unsigned t = 0; t < threads; ++t) {
    parsers.emplace_back(source);
    if (!parsers.back().Allocate(chunkBytes)) {
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
      helpers.emplace_back(RunWorker, std::ref(pass), std::ref(parsers[t]), false);
    } catch (...) {
      break;  // fewer threads do the same work
    }
  }
  RunWorker(pass, parsers[0], true);
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
