#include "binarygrid/SegyTraces.h"

#include <algorithm>
#include <thread>
#include <unordered_set>
#include <vector>

#include "binarygrid/BinaryValues.h"
#include "binarygrid/SegyHeaders.h"
#include "grid/NumberText.h"

namespace {

// Traces decoded together before their samples are put in rows: each row then takes a run of
// values at once, a few cache lines in one page, as many as a block of at most kBlockBytes holds
// (at least kLeastBlockTraces, 64 bytes of a row).
constexpr std::size_t kBlockBytes = std::size_t{4} << 20;
constexpr std::size_t kLeastBlockTraces = 16, kMostBlockTraces = 256;
// Blocks of this many values or more are put in rows by two threads.
constexpr std::size_t kParallelValues = std::size_t{1} << 18;

// X coordinates of the traces in file order, as stored (before their scalar).
class CoordinateRun {
 public:
  void Add(std::int64_t x) {
    if (count_ == 0) first_ = x;
    if (count_ == 1) step_ = x - first_;
    if (count_ >= 1 && x != first_ + static_cast<std::int64_t>(count_) * step_) regular_ = false;
    if (x != first_) alike_ = false;
    last_ = x;
    ++count_;
  }
  bool Alike() const { return alike_; }
  bool Rising() const { return count_ > 1 && regular_ && step_ > 0; }
  // "CDP X 0 to 9980 at steps of 20", "CDP X not at one step".
  std::string Describe(const std::string& what, double scale) const {
    if (!regular_) return what + " not at one step";
    const auto shown = [scale](std::int64_t x) {
      return FormatSixDigits(static_cast<float>(static_cast<double>(x) * scale));
    };
    return what + " " + shown(first_) + " to " + shown(last_) + " at steps of " + shown(step_);
  }
  double Step(double scale) const { return static_cast<double>(step_) * scale; }

 private:
  std::uint64_t count_ = 0;
  std::int64_t first_ = 0, step_ = 0, last_ = 0;
  bool regular_ = true, alike_ = true;
};

// The distinct numbers a header field takes, counted up to kMostCounted of them: memory stays
// small whatever the number of traces.
class DistinctNumbers {
 public:
  static constexpr std::size_t kMostCounted = 65536;
  void Add(std::int32_t number) {
    if (seen_.size() < kMostCounted) seen_.insert(number);
  }
  bool Several() const { return seen_.size() > 1; }
  // "20", or "more than 65535".
  std::string Describe() const {
    return seen_.size() < kMostCounted ? std::to_string(seen_.size())
                                       : "more than " + std::to_string(kMostCounted - 1);
  }

 private:
  std::unordered_set<std::int32_t> seen_;
};

// The factor of a coordinate scalar: positive multiplies, negative divides, 0 is 1.
double ScaleOf(std::int32_t scalar) {
  if (scalar > 0) return scalar;
  if (scalar < 0) return 1.0 / -static_cast<double>(scalar);
  return 1;
}

std::string Traces(std::uint64_t count) {
  return std::to_string(count) + (count == 1 ? " trace" : " traces");
}

class TraceReading {
 public:
  TraceReading(PeekableStream& input, const TraceLayout& layout, const std::string& name, bool keep,
               const ReadProgress& progress)
      : input_(input),
        layout_(layout),
        name_(name),
        progress_(progress),
        values_(keep, {}),
        keep_(keep) {}

  TextGridRead Read(TextGridForm form);

 private:
  bool Start(const char* header, std::string* problem);
  bool ReadTrace(const char* header, std::string* problem);
  void PutBlockInRows();

  PeekableStream& input_;
  const TraceLayout& layout_;
  const std::string& name_;
  const ReadProgress& progress_;
  BinaryValues values_;
  bool keep_;

  std::uint32_t samples_ = 0;
  std::size_t sampleBytes_ = 0;
  std::size_t stride_ = 0;      // floats of room a trace's bytes take
  std::uint32_t interval_ = 0;  // of the first trace
  std::uint64_t traces_ = 0;
  // Rows: the number of traces is known ahead and the samples go to their rows.
  float* rows_ = nullptr;
  std::uint64_t nx_ = 0;
  std::vector<char> bytes_;
  std::vector<float> block_;
  std::size_t blockTraces_ = 0;
  std::size_t inBlock_ = 0;

  CoordinateRun cdpX_, sourceX_;
  std::int32_t scalar_ = 0;
  bool oneScalar_ = true;
  DistinctNumbers inlines_, crosslines_;
};

bool TraceReading::Start(const char* header, std::string* problem) {
  const TraceHeader first = ReadTraceHeader(header, layout_.samples.bigEndian);
  samples_ = first.samples != 0 ? first.samples : layout_.defaultSamples;
  interval_ = first.interval;
  if (samples_ == 0) {
    *problem = "its traces hold no samples";
    return false;
  }
  const std::size_t size = BytesOf(layout_.samples.type);
  sampleBytes_ = samples_ * size;
  stride_ = RoomForSamples(samples_, layout_.samples.type);
  // Samples of 4 bytes or more are read where their values go, and decoded there.
  if (size < 4) bytes_.resize(sampleBytes_);
  scalar_ = first.coordinateScalar;
  // The first trace's header is read already.
  std::uint64_t remaining = input_.Remaining();
  if (remaining != kUnknownSize) remaining += kTraceHeaderBytes;
  const std::uint64_t traceBytes = kTraceHeaderBytes + sampleBytes_;
  if (keep_ && remaining != kUnknownSize && remaining % traceBytes == 0) {
    nx_ = remaining / traceBytes;
    if (nx_ > kMaxTextGridValues / samples_) {
      *problem = "holds more than " + std::to_string(kMaxTextGridValues) + " values";
      return false;
    }
    rows_ = values_.Whole(nx_ * samples_);
    if (rows_ == nullptr) {
      *problem = "not enough memory to load it";
      return false;
    }
    blockTraces_ =
        std::clamp(kBlockBytes / (stride_ * sizeof(float)) / kLeastBlockTraces * kLeastBlockTraces,
                   kLeastBlockTraces, kMostBlockTraces);
    block_.resize(blockTraces_ * stride_);
  } else {
    const std::uint64_t expected =
        remaining == kUnknownSize ? 0 : (remaining + traceBytes - 1) / traceBytes * samples_;
    if (!values_.Expect(std::min<std::uint64_t>(expected, kMaxTextGridValues))) {
      *problem = "not enough memory to load it";
      return false;
    }
  }
  return true;
}

void TraceReading::PutBlockInRows() {
  const std::uint64_t firstTrace = traces_ - inBlock_;
  const auto put = [this, firstTrace](std::uint32_t from, std::uint32_t to) {
    for (std::uint32_t s = from; s < to; ++s) {
      float* const row = rows_ + s * nx_ + firstTrace;
      for (std::size_t t = 0; t < inBlock_; ++t) row[t] = block_[t * stride_ + s];
    }
  };
  // A large block's rows on two cores, half each: the stores to rows far apart are what takes
  // the time.
  const std::uint32_t half = samples_ / 2;
  if (inBlock_ * samples_ >= kParallelValues && std::thread::hardware_concurrency() > 1) {
    std::thread lower(put, half, samples_);
    put(0, half);
    lower.join();
  } else {
    put(0, samples_);
  }
  inBlock_ = 0;
}

bool TraceReading::ReadTrace(const char* headerBytes, std::string* problem) {
  const TraceHeader header = ReadTraceHeader(headerBytes, layout_.samples.bigEndian);
  const std::uint32_t samples = header.samples != 0 ? header.samples : layout_.defaultSamples;
  const auto trace = [this] { return "trace " + std::to_string(traces_ + 1); };
  if (samples != samples_) {
    *problem =
        trace() + " holds " + std::to_string(samples) + " samples, but " +
        (traces_ == 1 ? "trace 1 holds " : "traces 1 to " + std::to_string(traces_) + " hold ") +
        std::to_string(samples_) + ": every trace must hold as many";
    return false;
  }
  if (rows_ != nullptr && traces_ >= nx_) {
    *problem = "changed while it was being read";
    return false;
  }
  float* into = nullptr;
  if (rows_ != nullptr) {
    into = block_.data() + inBlock_ * stride_;
  } else {
    into = values_.Room(stride_);
    if (into == nullptr) {
      *problem = NoRoomProblem(values_, samples_);
      return false;
    }
  }
  char* const bytes = bytes_.empty() ? reinterpret_cast<char*>(into) : bytes_.data();
  std::size_t got = 0;
  if (!ReadFully(input_, bytes, sampleBytes_, &got, problem)) return false;
  if (got < sampleBytes_) {
    *problem = trace() + " is cut short: " + std::to_string(got / BytesOf(layout_.samples.type)) +
               " of its " + std::to_string(samples_) + " samples";
    return false;
  }
  cdpX_.Add(header.cdpX);
  sourceX_.Add(header.sourceX);
  oneScalar_ = oneScalar_ && header.coordinateScalar == scalar_;
  inlines_.Add(header.inlineNumber);
  crosslines_.Add(header.crosslineNumber);

  const DecodedSamples decoded = DecodeSamples(bytes, samples_, layout_.samples, into);
  if (decoded.beyond) {
    *problem = trace() + ", sample " + std::to_string(decoded.firstBeyond + 1) + ": " +
               DescribeValue(decoded.beyondValue) + " is beyond the range of 32-bit floats";
    return false;
  }
  if (rows_ != nullptr) {
    values_.Placed(samples_, decoded, decoded.firstHole * nx_ + traces_);
    ++traces_;
    if (++inBlock_ == blockTraces_) PutBlockInRows();
  } else {
    values_.Collect(samples_, decoded, false);
    ++traces_;
  }
  return true;
}

TextGridRead TraceReading::Read(TextGridForm form) {
  std::string problem;
  char header[kTraceHeaderBytes];
  for (;;) {
    std::size_t got = 0;
    if (!ReadFully(input_, header, sizeof header, &got, &problem)) return Refused(name_, problem);
    if (got == 0) break;
    if (got < sizeof header) {
      return Refused(name_, "the header of trace " + std::to_string(traces_ + 1) +
                                " is cut short: " + std::to_string(got) + " of its 240 bytes");
    }
    if (traces_ == 0 && !Start(header, &problem)) return Refused(name_, problem);
    if (!ReadTrace(header, &problem)) return Refused(name_, problem);
    if (progress_ && traces_ % kLeastBlockTraces == 0) {
      progress_(input_.InputDone(), input_.InputSize());
    }
  }
  if (traces_ == 0) return Refused(name_, "holds no traces");
  if (rows_ != nullptr) {
    if (inBlock_ > 0) PutBlockInRows();
    if (traces_ != nx_) return Refused(name_, "changed while it was being read");
  }
  if (inlines_.Several() && crosslines_.Several()) {
    return Refused(name_, "its trace headers give " + inlines_.Describe() + " inline numbers and " +
                              crosslines_.Describe() +
                              " crossline numbers: a 3-D volume, not a 2-D model; give one "
                              "inline of it");
  }

  const double interval = layout_.interval > 0 ? layout_.interval : interval_;
  form.taken += (form.taken.empty() ? "" : ", ") + Traces(traces_) + " of " +
                std::to_string(samples_) + " samples, sample interval " +
                FormatSixDigits(static_cast<float>(interval));
  form.statesSizes = true;
  form.nx = static_cast<std::int32_t>(traces_);
  form.nz = static_cast<std::int32_t>(samples_);
  form.dzHint = DescribeSampleInterval(interval);
  form.fixesOrder = true;
  form.order = rows_ != nullptr ? ValueOrder::kRows : ValueOrder::kColumns;
  // CDP X says where the traces are, unless it is all alike (often 0); then source X.
  const bool cdp = !cdpX_.Alike();
  const CoordinateRun& x = cdp ? cdpX_ : sourceX_;
  const double scale = ScaleOf(scalar_);
  if (traces_ > 1 && !x.Alike()) {
    form.taken += ", " + x.Describe(cdp ? "CDP X" : "source X", scale);
    if (x.Rising() && oneScalar_) {
      form.facts.dx = {HowKnown::kStated, form.source};
      form.dx = static_cast<float>(x.Step(scale));
    }
  }
  return values_.Finish(std::move(form));
}

}  // namespace

TextGridRead ReadTraces(PeekableStream& input, const TraceLayout& layout, const std::string& name,
                        bool keepValues, const ReadProgress& progress, TextGridForm form) {
  TraceReading reading(input, layout, name, keepValues, progress);
  return reading.Read(std::move(form));
}
