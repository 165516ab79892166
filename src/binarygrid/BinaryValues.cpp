#include "binarygrid/BinaryValues.h"

#include <algorithm>
#include <limits>

bool ReadFully(ByteStream& input, char* buffer, std::size_t size, std::size_t* got,
               std::string* problem) {
  *got = 0;
  while (*got < size) {
    std::size_t piece = 0;
    if (!input.Read(buffer + *got, size - *got, &piece, problem)) return false;
    if (piece == 0) break;
    *got += piece;
  }
  return true;
}

bool SkipBytes(ByteStream& input, std::uint64_t count, std::uint64_t* got, std::string* problem) {
  std::vector<char> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(count, 1 << 16)));
  *got = 0;
  while (*got < count) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(count - *got, buffer.size()));
    std::size_t piece = 0;
    if (!ReadFully(input, buffer.data(), want, &piece, problem)) return false;
    *got += piece;
    if (piece < want) break;
  }
  return true;
}

BinaryValues::BinaryValues(bool keep, const FinalValues& final)
    : keep_(keep),
      final_(final),
      range_{std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()} {}

bool BinaryValues::Expect(std::uint64_t count) {
  if (!keep_) return true;
  // And room for a piece's bytes beyond them, twice their values' for 64-bit samples.
  return values_.Reserve(count == 0 ? kMaxTextGridValues : count + kBinaryPieceBytes / 2);
}

float* BinaryValues::Room(std::size_t count) {
  if (TooMany(count)) return nullptr;
  if (!keep_) {
    if (scratch_.size() < count) scratch_.resize(count);
    return scratch_.data();
  }
  if (values_.Capacity() == 0 && !values_.Reserve(kMaxTextGridValues)) return nullptr;
  const std::uint64_t held = values_.size();
  if (count_ + count > held) {
    if (!values_.Resize(count_ + count)) return nullptr;
    values_.Prefault(held, count_ + count - held);
  }
  return values_.data() + count_;
}

void BinaryValues::Collect(std::size_t count, const DecodedSamples& decoded, bool final) {
  NoteHoles(decoded, count_ + decoded.firstHole);
  range_.minimum = std::min(range_.minimum, decoded.range.minimum);
  range_.maximum = std::max(range_.maximum, decoded.range.maximum);
  if (keep_ && final && final_) {
    if (!relay_) relay_ = std::make_unique<FinalRelay>(final_);
    relay_->Tell(values_.data(), count_, count);
  }
  count_ += count;
}

float* BinaryValues::Whole(std::uint64_t count) {
  if (count > kMaxTextGridValues) return nullptr;
  if (!keep_) return nullptr;
  if (values_.Capacity() < count && !values_.Reserve(count)) return nullptr;
  if (!values_.Resize(count)) return nullptr;
  values_.Prefault(0, count);
  return values_.data();
}

void BinaryValues::Placed(std::size_t count, const DecodedSamples& decoded,
                          std::uint64_t firstHole) {
  NoteHoles(decoded, firstHole);
  range_.minimum = std::min(range_.minimum, decoded.range.minimum);
  range_.maximum = std::max(range_.maximum, decoded.range.maximum);
  count_ += count;
}

void BinaryValues::NoteHoles(const DecodedSamples& decoded, std::uint64_t firstHole) {
  if (decoded.holes == 0) return;
  firstHole_ = holes_ == 0 ? firstHole : std::min(firstHole_, firstHole);
  holes_ += decoded.holes;
}

TextGridRead BinaryValues::Finish(TextGridForm form) {
  if (relay_) relay_->Wait();
  TextGridRead read;
  read.summary.count = static_cast<std::uint32_t>(count_);
  read.summary.minimum = std::min(range_.minimum, 1e30f);
  read.summary.maximum = std::max(range_.maximum, -1e30f);
  form.holes = holes_;
  form.firstHole = firstHole_;
  if (holes_ > 0) form.holeMarker = "NaN";
  if (form.statesSizes) form.facts.nx = form.facts.nz = {HowKnown::kStated, form.source};
  read.form = std::move(form);
  if (keep_) {
    values_.Resize(count_);  // room taken for bytes beyond the values goes
    read.values = std::move(values_);
  }
  return read;
}

TextGridRead Refused(const std::string& name, const std::string& problem) {
  TextGridRead read;
  read.status = Status::Error(name + ": " + problem);
  return read;
}

std::string NoRoomProblem(const BinaryValues& values, std::uint64_t more) {
  return values.TooMany(more) ? "holds more than " + std::to_string(kMaxTextGridValues) + " values"
                              : "not enough memory to load it";
}

ValuePieces::ValuePieces(ByteStream& input, SampleLayout layout, BinaryValues& values, bool final,
                         const ReadProgress& progress,
                         std::function<std::string(std::uint64_t index)> placeOf)
    : input_(input),
      layout_(layout),
      values_(values),
      final_(final),
      progress_(progress),
      placeOf_(std::move(placeOf)),
      buffer_(BytesOf(layout.type) < 4 ? kBinaryPieceBytes : 0) {}

bool ValuePieces::Read(std::uint64_t bytes, std::uint64_t* got, std::size_t* rest,
                       std::string* problem) {
  const std::size_t size = BytesOf(layout_.type);
  *got = 0;
  *rest = 0;
  while (*got < bytes) {
    // No more room than the input holds, where that is known.
    const std::uint64_t left = std::min(bytes - *got, input_.Remaining());
    if (left == 0) break;
    const std::size_t want =
        left < kBinaryPieceBytes ? static_cast<std::size_t>(left) : kBinaryPieceBytes;
    const std::size_t most = (want + size - 1) / size;
    float* const room = values_.Room(RoomForSamples(most, layout_.type));
    if (room == nullptr) {
      *problem = NoRoomProblem(values_, most);
      return false;
    }
    // Samples of 4 bytes or more are read where their values go, and decoded there.
    char* const into = size >= 4 ? reinterpret_cast<char*>(room) : buffer_.data();
    std::size_t piece = 0;
    if (!ReadFully(input_, into, want, &piece, problem)) return false;
    *got += piece;
    last_.append(into + piece - std::min<std::size_t>(piece, 4), std::min<std::size_t>(piece, 4));
    if (last_.size() > 4) last_.erase(0, last_.size() - 4);
    const std::size_t count = piece / size;
    const DecodedSamples decoded = DecodeSamples(into, count, layout_, room);
    if (decoded.beyond) {
      *problem = placeOf_(values_.Count() + decoded.firstBeyond) + ": " +
                 DescribeValue(decoded.beyondValue) + " is beyond the range of 32-bit floats";
      return false;
    }
    values_.Collect(count, decoded, final_);
    if (progress_) progress_(input_.InputDone(), input_.InputSize());
    // Pieces are whole values (kBinaryPieceBytes is), but for the last one.
    *rest = piece % size;
    if (piece < want || *rest != 0) break;
  }
  return true;
}
