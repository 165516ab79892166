#include "textgrid/TextGridPass.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <utility>
#include <vector>

#include "textgrid/TextChunkParser.h"
#include "textgrid/TextChunkReader.h"

namespace {

// Final values are told in blocks of 4 MiB: written out as they come, each takes about as long
// as reading a chunk.
constexpr std::uint64_t kToldValues = std::uint64_t{1} << 20;

// A chunk from its reading until its values are in the array: what its parsing found.
struct ChunkSlot {
  bool taken = false;   // holds a chunk not yet done with
  bool parsed = false;  // ready to be merged
  std::unique_ptr<float[]> values;
  std::uint64_t count = 0;
  std::uint64_t place = 0;                 // of its first value in the array, once merged
  std::uint64_t holes = 0, firstHole = 0;  // NaN tokens, and the first one's place in the chunk
  ChunkBounds bounds;
  LineTally lines;
  ChunkOutcome outcome;
  ChunkPlace problemPlace;     // of a bad token in the chunk
  bool textAfterMark = false;  // more than blanks follow the chunk's character 26 in the chunk
  bool holdsText = false;      // a chunk after the character 26: more than blanks (see HoldsText)
  bool failed = false;         // the stream failed here
  std::string problem;
  std::uint64_t inputDone = 0;
};

// State shared by the threads of one pass. A thread reads chunk k only once chunk k - slots
// is done with, so that threads run ahead of the merge by a few chunks and a thread the system
// holds back for a while does not stop the others.
struct Pass {
  Pass(ByteStream& text, const TextPassOptions& options, const ReadProgress& progress)
      : reader(text, options.chunkBytes), input(text), options(options), progress(progress) {}

  TextChunkReader reader;
  ByteStream& input;
  const TextPassOptions& options;
  const ReadProgress& progress;
  FloatArray values;
  std::uint64_t roomForValues = 0;  // the most values the text's size allows

  std::mutex mutex;
  std::condition_variable changed;
  std::vector<ChunkSlot> slots;  // chunk k waits in slots[k % slots.size()]
  std::uint64_t readChunks = 0;
  std::uint64_t mergedChunks = 0;
  bool reading = false;     // a thread is reading the next chunk
  bool textEnded = false;   // no chunk is left to read
  bool mergeEnded = false;  // no chunk is merged any more: the end, a character 26, a problem
  // The character 26 that ended the text is merged; the chunks after it only tell whether more
  // than blanks follow it.
  bool pastMark = false;
  std::vector<std::uint64_t> toCopy;  // merged chunks whose values wait for their copy
  unsigned copying = 0;
  TextPassResult result;
  // Values [0, finalValues) are in the array for good: chunks [0, finalChunks) are done with.
  // Chunks done with out of order wait in doneAhead, with where their values end.
  std::uint64_t finalChunks = 0, finalValues = 0;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> doneAhead;
  std::uint64_t toldValues = 0;  // of the final values, those told to options.finalValues
  bool telling = false;
  LineTally lines;
  std::uint64_t mergedInput = 0;  // of the input, up to the last chunk merged
  std::uint64_t reportedInput = 0;
};

void Stop(Pass& pass, TextPassStop stop) {
  pass.result.stop = stop;
  pass.mergeEnded = true;
}

// Merges one chunk in text order.
void Merge(Pass& pass, ChunkSlot& slot) {
  TextPassResult& result = pass.result;
  pass.mergedInput = slot.inputDone;
  if (pass.pastMark) {
    // What cannot be read is not known to follow the mark.
    if (slot.failed || slot.holdsText) pass.mergeEnded = true;
    if (!slot.failed && slot.holdsText) result.endMarkLine = pass.lines.CurrentLine();
    return;
  }
  if (slot.failed) {
    result.problem = std::move(slot.problem);
    return Stop(pass, TextPassStop::kReadError);
  }
  ChunkOutcome& outcome = slot.outcome;
  result.comments.Append(outcome.comments, pass.lines.CurrentLine() - 1);
  if (outcome.stop != TextPassStop::kEnd) {
    result.problemOffset = outcome.problemOffset;
    result.problemLine = pass.lines.CurrentLine() + slot.problemPlace.lineEnds;
    result.problemValue = (slot.problemPlace.lineEnds == 0 ? pass.lines.ValuesOnCurrentLine() : 0) +
                          slot.problemPlace.valuesOnLine + 1;
    result.token = std::move(outcome.token);
    return Stop(pass, outcome.stop);
  }
  slot.place = result.count;
  if (slot.holes > 0 && result.holes == 0) result.firstHole = slot.place + slot.firstHole;
  result.holes += slot.holes;
  result.count += slot.count;
  if (slot.bounds.lowest < result.minimum) result.minimum = slot.bounds.minimum;
  if (slot.bounds.highest > result.maximum) result.maximum = slot.bounds.maximum;
  pass.lines.Append(slot.lines);
  if (result.count > pass.options.maxValues) return Stop(pass, TextPassStop::kTooManyValues);
  if (pass.options.keepValues && !pass.values.Resize(result.count)) {
    // Beyond the reservation: more values than the text's size allows, or than the system
    // granted room for.
    const bool grew = result.count > pass.roomForValues;
    return Stop(pass, grew ? TextPassStop::kChanged : TextPassStop::kOutOfMemory);
  }
  if (outcome.endMark) {
    // The tally ends at the mark: its line is the current one.
    result.endMark = true;
    result.endMarkOffset = outcome.endMarkOffset;
    pass.pastMark = true;
    if (slot.textAfterMark) {
      result.endMarkLine = pass.lines.CurrentLine();
      pass.mergeEnded = true;
    }
  }
}

// A chunk merged before the end of the text is done with: its values, up to `end`, are in the
// array.
void ChunkDone(Pass& pass, std::uint64_t chunk, std::uint64_t end) {
  pass.doneAhead.emplace_back(chunk, end);
  for (std::size_t i = 0; i < pass.doneAhead.size();) {
    if (pass.doneAhead[i].first != pass.finalChunks) {
      ++i;
      continue;
    }
    pass.finalValues = pass.doneAhead[i].second;
    ++pass.finalChunks;
    pass.doneAhead.erase(pass.doneAhead.begin() + static_cast<std::ptrdiff_t>(i));
    i = 0;
  }
}

void Release(ChunkSlot& slot) {
  slot.taken = slot.parsed = slot.textAfterMark = slot.holdsText = false;
  slot.outcome = ChunkOutcome{};
  slot.lines = LineTally{};
  slot.problem.clear();
}

// Merges every parsed chunk at the front, in order; their values wait for their copy.
void MergeReadyChunks(Pass& pass) {
  while (!pass.mergeEnded && pass.mergedChunks < pass.readChunks) {
    const std::uint64_t chunk = pass.mergedChunks;
    ChunkSlot& slot = pass.slots[chunk % pass.slots.size()];
    if (!slot.parsed) return;
    const bool pastMark = pass.pastMark;
    Merge(pass, slot);
    ++pass.mergedChunks;
    if (pass.result.stop != TextPassStop::kEnd) return;
    if (!pastMark && pass.options.keepValues && slot.count > 0) {
      pass.toCopy.push_back(chunk);
    } else {
      if (!pastMark) ChunkDone(pass, chunk, slot.place + slot.count);
      Release(slot);
    }
  }
}

// Whether a chunk holds more than blanks, without the byte before it.
bool ChunkHoldsText(const ReadChunk& chunk) {
  if (chunk.longToken) return chunk.longHoldsText;
  const std::size_t before = chunk.text.first ? 0 : 1;
  return HoldsText(chunk.text.start + before, chunk.text.size - before);
}

// pastMark: a chunk after the character 26 that ended the text; only whether it holds text counts.
void Parse(ReadChunk& chunk, ChunkSlot& slot, bool keepValues, bool pastMark) {
  slot.failed = chunk.failed;
  slot.inputDone = chunk.inputDone;
  if (chunk.failed) {
    slot.problem = std::move(chunk.problem);
    return;
  }
  if (pastMark) {
    slot.count = 0;
    slot.holdsText = ChunkHoldsText(chunk);
    return;
  }
  auto parse = [&](auto& sink) {
    sink.lines = &slot.lines;
    if (!chunk.longToken) {
      ParseChunk(chunk.text, sink, slot.outcome);
    } else if (chunk.longReading.status == DecimalStatus::kNumber) {
      sink.Add(chunk.longReading.value);
      sink.Finish();
    } else {
      slot.outcome.stop = chunk.longReading.status == DecimalStatus::kOutOfRange
                              ? TextPassStop::kBeyondFloatRange
                              : TextPassStop::kNotANumber;
      slot.outcome.problemOffset = chunk.text.offset;
      slot.outcome.token = chunk.longShown;
    }
    slot.count = sink.Count();
    slot.bounds = sink.bounds;
    slot.holes = sink.holes;
    slot.firstHole = sink.firstHole;
  };
  if (keepValues) {
    LoadingSink sink;
    sink.quick.out = slot.values.get();
    parse(sink);
  } else {
    CountingSink sink;
    parse(sink);
  }
  if (slot.outcome.stop != TextPassStop::kEnd && !chunk.longToken) {
    slot.problemPlace = PlaceInChunk(chunk.text, slot.outcome.problemOffset);
  }
  if (slot.outcome.endMark) {
    const std::size_t after =
        static_cast<std::size_t>(slot.outcome.endMarkOffset - chunk.text.offset) + 1;
    slot.textAfterMark = HoldsText(chunk.text.start + after, chunk.text.size - after);
  }
  // Read before the mark's chunk was merged, a chunk may still turn out to follow it: values are
  // text, and a chunk without any is looked at.
  slot.holdsText = slot.count > 0 || ChunkHoldsText(chunk);
}

// Called with the lock held, which it lets go of while the progress is shown.
void ReportProgress(Pass& pass, std::unique_lock<std::mutex>& lock) {
  const std::uint64_t done = pass.mergedInput, total = pass.input.InputSize();
  if (!pass.progress || total == 0) return;
  if (done < total && done - pass.reportedInput < total / 100) return;
  pass.reportedInput = done;
  lock.unlock();
  pass.progress(done, total);
  lock.lock();
}

// Takes the work there is, copies first (they free slots), until the pass is over.
void RunWorker(Pass& pass, ReadChunk& chunk, bool reportsProgress) {
  std::unique_lock<std::mutex> lock(pass.mutex);
  for (;;) {
    if (!pass.toCopy.empty()) {
      const std::uint64_t copied = pass.toCopy.back();
      pass.toCopy.pop_back();
      ChunkSlot& slot = pass.slots[copied % pass.slots.size()];
      ++pass.copying;
      lock.unlock();
      pass.values.Prefault(slot.place, slot.count);
      std::memcpy(pass.values.data() + slot.place, slot.values.get(), slot.count * sizeof(float));
      lock.lock();
      --pass.copying;
      ChunkDone(pass, copied, slot.place + slot.count);
      Release(slot);
      pass.changed.notify_all();
      continue;
    }
    const bool moreToRead = !pass.textEnded && !pass.mergeEnded;
    ChunkSlot& next = pass.slots[pass.readChunks % pass.slots.size()];
    const bool canRead = moreToRead && !pass.reading && !next.taken;
    // Final values are told a block at a time, ahead of reading; what is left once nothing else
    // is to be done.
    const std::uint64_t untold = pass.options.keepValues && pass.options.finalValues &&
                                         !pass.telling && pass.result.stop == TextPassStop::kEnd
                                     ? pass.finalValues - pass.toldValues
                                     : 0;
    if (untold >= kToldValues || (untold > 0 && !canRead)) {
      const std::uint64_t first = pass.toldValues;
      pass.telling = true;
      lock.unlock();
      pass.options.finalValues(pass.values.data(), first, untold);
      lock.lock();
      pass.telling = false;
      pass.toldValues = first + untold;
      pass.changed.notify_all();
      continue;
    }
    if (canRead) {
      pass.reading = true;
      next.taken = true;
      lock.unlock();
      const bool read = pass.reader.Next(chunk);
      lock.lock();
      pass.reading = false;
      if (!read) {
        next.taken = false;
        pass.textEnded = true;
        pass.changed.notify_all();
        continue;
      }
      ++pass.readChunks;
      const bool pastMark = pass.pastMark;
      pass.changed.notify_all();
      lock.unlock();
      Parse(chunk, next, pass.options.keepValues, pastMark);
      lock.lock();
      next.parsed = true;
      MergeReadyChunks(pass);
      pass.changed.notify_all();
      if (reportsProgress) ReportProgress(pass, lock);
      continue;
    }
    // Nothing to read now: the pass is over once every chunk read is merged and copied.
    const bool merging = !pass.mergeEnded && pass.mergedChunks < pass.readChunks;
    if (!moreToRead && !pass.reading && !merging && pass.copying == 0 && !pass.telling) return;
    pass.changed.wait(lock);
  }
}

unsigned ThreadsFor(const TextPassOptions& options, std::uint64_t remaining) {
  unsigned threads = options.threads;
  if (threads == 0) threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
  if (remaining != kUnknownSize) {
    const std::uint64_t chunks = remaining / std::max<std::size_t>(options.chunkBytes, 1) + 1;
    threads = static_cast<unsigned>(std::min<std::uint64_t>(threads, chunks));
  }
  return threads;
}

// The buffers of a pass: a chunk's text for each thread, a chunk's values for each slot. Returns
// the threads it has buffers for; 0 when there is no memory even for one.
unsigned Allocate(Pass& pass, unsigned threads, std::vector<ReadChunk>& chunks) {
  chunks.resize(threads);
  for (unsigned t = 0; t < threads; ++t) {
    if (!pass.reader.Allocate(chunks[t])) {
      threads = t;
      break;
    }
  }
  if (threads == 0) return 0;
  chunks.resize(threads);
  pass.slots.resize(2 * threads + 1);
  if (pass.options.keepValues) {
    // A chunk holds a value for at most every two of its bytes, with the byte before it.
    const std::size_t room = (pass.reader.MostChunkBytes() + 2) / 2;
    for (ChunkSlot& slot : pass.slots) {
      slot.values.reset(new (std::nothrow) float[room]);
      if (!slot.values) return 0;
    }
  }
  return threads;
}

}  // namespace

TextPassResult ReadTextPass(ByteStream& text, const ReadProgress& progress,
                            const TextPassOptions& options) {
  Pass pass(text, options, progress);
  const std::uint64_t remaining = text.Remaining();
  if (options.keepValues) {
    // Values are separated, so n of them take at least 2n - 1 bytes.
    pass.roomForValues = remaining == kUnknownSize
                             ? options.maxValues
                             : std::min<std::uint64_t>(options.maxValues, remaining / 2 + 1);
    if (!pass.values.Reserve(pass.roomForValues)) {
      pass.result.stop = TextPassStop::kOutOfMemory;
      return std::move(pass.result);
    }
  }
  std::vector<ReadChunk> chunks;
  const unsigned threads = Allocate(pass, ThreadsFor(options, remaining), chunks);
  if (threads == 0) {
    pass.result.stop = TextPassStop::kOutOfMemory;
    return std::move(pass.result);
  }
  std::vector<std::thread> helpers;
  for (unsigned t = 1; t < threads; ++t) {
    try {
      helpers.emplace_back(RunWorker, std::ref(pass), std::ref(chunks[t]), false);
    } catch (...) {
      break;  // fewer threads do the same work
    }
  }
  RunWorker(pass, chunks[0], true);
  for (std::thread& helper : helpers) helper.join();

  TextPassResult& result = pass.result;
  if (result.stop == TextPassStop::kEnd) {
    result.lines = pass.lines.Finish();
    if (options.keepValues) result.values = std::move(pass.values);
    const std::uint64_t total = text.InputSize();
    if (progress && pass.reportedInput < total) progress(total, total);
  }
  return std::move(pass.result);
}
