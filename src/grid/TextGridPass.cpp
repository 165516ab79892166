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

// A parsed chunk waiting for the chunks before it.
struct ChunkSlot {
  bool done = false;
  std::uint64_t count = 0;
  ChunkBounds bounds;
  LineTally lines;
  ChunkOutcome outcome;
};

// State shared by the workers of one pass. Workers take chunks in order and parse them at once;
// a window of slots lets them run ahead of the merge by a few chunks, so that a thread the
// system holds back for a while does not stop the others.
struct Pass {
  Pass(const TextSource& source, std::size_t chunkBytes, const TextPassOptions& options,
       const ReadProgress& progress)
      : source(source),
        size(source.Size()),
        chunkBytes(std::max<std::size_t>(chunkBytes, 1)),
        chunkCount((size + this->chunkBytes - 1) / this->chunkBytes),
        maxValues(options.maxValues),
        progress(progress) {}

  const TextSource& source;
  const std::uint64_t size;
  const std::size_t chunkBytes;
  std::uint64_t chunkCount;
  const std::uint64_t maxValues;
  const ReadProgress& progress;
  // A load's: the layout its scan found, and where each chunk's values go.
  float* values = nullptr;
  const std::vector<std::uint32_t>* expectedCounts = nullptr;
  std::vector<std::uint64_t> places;

  std::mutex mutex;
  std::condition_variable changed;
  std::vector<ChunkSlot> slots;    // chunk k waits in slots[k % slots.size()]
  std::uint64_t nextChunk = 0;     // the next chunk to take
  std::uint64_t mergedChunks = 0;  // chunks merged into result, in file order
  bool stopped = false;
  TextPassResult result;
  LineTally lines;
  std::uint64_t reportedBytes = 0;  // only the calling thread reports progress
};

// Merges one chunk in file order.
void Merge(Pass& pass, std::uint64_t chunk, ChunkSlot& slot) {
  TextPassResult& result = pass.result;
  ChunkOutcome& outcome = slot.outcome;
  if (outcome.stop != TextPassStop::kEnd) {
    result.stop = outcome.stop;
    result.problemOffset = outcome.problemOffset;
    result.token = std::move(outcome.token);
    result.reason = std::move(outcome.reason);
    pass.stopped = true;
    return;
  }
  result.count += slot.count;
  if (pass.values == nullptr) {
    if (slot.bounds.lowest < result.minimum) result.minimum = slot.bounds.minimum;
    if (slot.bounds.highest > result.maximum) result.maximum = slot.bounds.maximum;
    pass.lines.Append(slot.lines);
    result.layout.partCounts.push_back(static_cast<std::uint32_t>(slot.count));
  }
  if (result.count > pass.maxValues) {
    result.stop = TextPassStop::kTooManyValues;
    pass.stopped = true;
  } else if (pass.values != nullptr && slot.count != (*pass.expectedCounts)[chunk]) {
    result.stop = TextPassStop::kChanged;
    pass.stopped = true;
  } else if (outcome.endMark) {
    result.endMark = true;
    result.endMarkOffset = outcome.endMarkOffset;
    pass.stopped = true;
  }
}

// Merges every parsed chunk at the front, in order, and frees their slots.
void MergeReadyChunks(Pass& pass) {
  while (!pass.stopped && pass.mergedChunks < pass.nextChunk) {
    ChunkSlot& slot = pass.slots[pass.mergedChunks % pass.slots.size()];
    if (!slot.done) return;
    Merge(pass, pass.mergedChunks, slot);
    slot = ChunkSlot{};
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
    lock.unlock();

    const std::uint64_t begin = chunk * pass.chunkBytes;
    const std::uint64_t end = std::min(pass.size, begin + pass.chunkBytes);
    if (pass.values == nullptr) {
      CountingSink sink;
      sink.lines = &slot.lines;
      parser.Parse(begin, end, sink, slot.outcome);
      slot.count = sink.Count();
      slot.bounds = sink.bounds;
    } else {
      // No more than the chunk's place holds, whatever the file holds now.
      StoringSink sink;
      sink.quick.out = pass.values + pass.places[chunk];
      sink.quick.room = (*pass.expectedCounts)[chunk];
      parser.Parse(begin, end, sink, slot.outcome);
      slot.count = sink.Count();
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

void RunPass(Pass& pass, const TextPassOptions& options) {
  unsigned threads = options.threads;
  if (threads == 0) threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
  threads = static_cast<unsigned>(std::min<std::uint64_t>(threads, pass.chunkCount));
  if (threads == 0) return;  // an empty text

  const std::size_t chunkBytes =
      static_cast<std::size_t>(std::min<std::uint64_t>(pass.chunkBytes, pass.size));
  std::vector<ChunkParser> parsers;
  parsers.reserve(threads);
  for (unsigned t = 0; t < threads; ++t) {
    parsers.emplace_back(pass.source);
    if (!parsers.back().Allocate(chunkBytes)) {
      if (t == 0) {
        pass.result.stop = TextPassStop::kOutOfMemory;
        return;
      }
      threads = t;
      break;
    }
  }
  // Each thread may run a few chunks ahead of the slowest.
  pass.slots.resize(4 * threads);
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
  if (pass.progress && pass.result.stop == TextPassStop::kEnd && pass.reportedBytes < pass.size) {
    pass.progress(pass.size, pass.size);
  }
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
  Pass pass(source, options.chunkBytes, options, progress);
  pass.result.layout.fileBytes = pass.size;
  pass.result.layout.partBytes = pass.chunkBytes;
  RunPass(pass, options);
  pass.result.lines = pass.lines.Finish();
  return std::move(pass.result);
}

TextPassResult LoadTextPass(const TextSource& source, const TextGridLayout& layout, float* values,
                            const ReadProgress& progress, const TextPassOptions& options) {
  Pass pass(source, static_cast<std::size_t>(layout.partBytes), options, progress);
  if (pass.size != layout.fileBytes || layout.partCounts.size() > pass.chunkCount) {
    pass.result.stop = TextPassStop::kChanged;
    return std::move(pass.result);
  }
  // Chunks after a character 26 are not read.
  pass.chunkCount = layout.partCounts.size();
  pass.values = values;
  pass.expectedCounts = &layout.partCounts;
  pass.places.reserve(layout.partCounts.size());
  std::uint64_t place = 0;
  for (const std::uint32_t count : layout.partCounts) {
    pass.places.push_back(place);
    place += count;
  }
  RunPass(pass, options);
  return std::move(pass.result);
}
