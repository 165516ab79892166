#pragma once
// What every binary reader shares: bytes read whole from the stream, and the values collected as
// they are decoded (kept or only counted), with their range and holes, told to FinalValues as
// they become final, and handed on as a text grid's reading is (TextGridRead).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "binarygrid/FinalRelay.h"
#include "binarygrid/SampleDecoding.h"
#include "grid/ValueRange.h"
#include "system/FloatArray.h"
#include "textgrid/ByteStream.h"
#include "textgrid/TextGridReader.h"

// Bytes read a piece at a time: a few MiB, the most a reading holds beside its values.
inline constexpr std::size_t kBinaryPieceBytes = std::size_t{1} << 20;

// Up to `size` bytes; *got below size only at the end of the stream. False on a failure, with
// what to say after the input's name.
bool ReadFully(ByteStream& input, char* buffer, std::size_t size, std::size_t* got,
               std::string* problem);

// Reads and drops `count` bytes; *got below count only at the end of the stream.
bool SkipBytes(ByteStream& input, std::uint64_t count, std::uint64_t* got, std::string* problem);

class BinaryValues {
 public:
  // keep: the values are kept, else only counted. expected: how many there will be when known
  // (address space is reserved for them), else 0.
  BinaryValues(bool keep, const FinalValues& final);
  // False when no memory can be had for so many.
  bool Expect(std::uint64_t count);

  // Room for `count` more floats after the values collected (their memory taken at once): in the
  // array when they are kept, else in a scratch block. Null when there is no memory for them or
  // they would be too many.
  float* Room(std::size_t count);
  // `count` values decoded at the start of the room last given: collected, told as final when
  // `final`.
  void Collect(std::size_t count, const DecodedSamples& decoded, bool final);

  // The whole array, sized for values placed anywhere in it (SEG-Y traces put in rows) and its
  // memory taken, when kept; null when there is no memory for it. Noted with Placed.
  float* Whole(std::uint64_t count);
  // Values decoded somewhere in the whole array: their range and holes, the first hole at
  // `firstHole` when there is one.
  void Placed(std::size_t count, const DecodedSamples& decoded, std::uint64_t firstHole);

  std::uint64_t Count() const { return count_; }
  bool TooMany(std::uint64_t more) const { return count_ + more > kMaxTextGridValues; }
  // The reading handed on: summary, values (when kept), the form with its holes.
  TextGridRead Finish(TextGridForm form);

 private:
  void NoteHoles(const DecodedSamples& decoded, std::uint64_t firstHole);

  bool keep_;
  FinalValues final_;
  FloatArray values_;
  // Told the final values on a thread of its own; gone before the values.
  std::unique_ptr<FinalRelay> relay_;
  std::vector<float> scratch_;
  std::uint64_t count_ = 0;
  ValueRange range_;
  std::uint64_t holes_ = 0, firstHole_ = 0;
};

// Values stored one after another, read and decoded a piece at a time into BinaryValues.
class ValuePieces {
 public:
  // final: the values are final as they are read (FinalValues). placeOf names the place of a
  // value by its index among all those collected, for a message ("value 1235").
  ValuePieces(ByteStream& input, SampleLayout layout, BinaryValues& values, bool final,
              const ReadProgress& progress,
              std::function<std::string(std::uint64_t index)> placeOf);

  // Up to `bytes` bytes (kUnknownSize: to the end of the stream); *got says how many were read,
  // bytes short of a whole value at the end are *rest. False with the problem when refused.
  bool Read(std::uint64_t bytes, std::uint64_t* got, std::size_t* rest, std::string* problem);
  // The last 4 bytes read (fewer when fewer were), as they were before their values were made.
  const std::string& LastBytes() const { return last_; }

 private:
  ByteStream& input_;
  SampleLayout layout_;
  BinaryValues& values_;
  bool final_;
  const ReadProgress& progress_;
  std::function<std::string(std::uint64_t index)> placeOf_;
  std::vector<char> buffer_;
  std::string last_;
};

// The refusal of values beyond the room a reading has: too many, or no memory.
std::string NoRoomProblem(const BinaryValues& values, std::uint64_t more);

// "vp.bin: <problem>" as a refusal.
TextGridRead Refused(const std::string& name, const std::string& problem);
