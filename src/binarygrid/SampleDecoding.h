#pragma once
// Samples as binary files store them, made 32-bit floats as a text grid's values are: integers
// and 64-bit floats rounded to the nearest float (a 64-bit integer first to the nearest double,
// as a decimal is), IBM floats converted exactly where floats hold them (IbmFloat.h). A NaN is a
// hole: it becomes a no-data marker, counted. A value beyond the range of floats (an infinity
// among them) stops the decoding, for the reader to refuse it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "grid/ValueRange.h"

enum class SampleType {
  kIbmFloat32,
  kInt8,
  kUInt8,
  kInt16,
  kUInt16,
  kInt32,
  kUInt32,
  kInt64,
  kUInt64,
  kFloat32,
  kFloat64,
};

struct SampleLayout {
  SampleType type = SampleType::kFloat32;
  bool bigEndian = false;
};

// Bytes a sample.
std::size_t BytesOf(SampleType type);
// "IBM floats", "32-bit floats", "16-bit integers", "8-bit unsigned integers"...
std::string DescribeSamples(SampleType type);
// "big-endian" or "little-endian".
std::string DescribeByteOrder(bool bigEndian);

// The marker a hole (a NaN sample) becomes.
float HoleMarker();

struct DecodedSamples {
  std::size_t holes = 0;      // NaN samples, each made HoleMarker()
  std::size_t firstHole = 0;  // its index among those decoded
  bool beyond = false;        // the sample at firstBeyond is beyond the range of floats
  std::size_t firstBeyond = 0;
  double beyondValue = 0;  // its value, as a double holds it
  ValueRange range;        // of the values decoded (holes as their marker); NaN-free
};

// Decodes `count` samples from `bytes` into `values`. They may be the same memory for samples of
// 4 bytes or more (values are made a block at a time from a copy of the block's bytes, which stay
// at or after where their values go). With one beyond the range of floats, those before it are
// decoded and DecodedSamples says where it is.
DecodedSamples DecodeSamples(const char* bytes, std::size_t count, SampleLayout layout,
                             float* values);

// The floats of room that `count` samples' bytes take: read there, they are decoded in place.
inline std::size_t RoomForSamples(std::size_t count, SampleType type) {
  return BytesOf(type) > 4 ? count * (BytesOf(type) / 4) : count;
}

// "1.2e+76", "inf": a value a message names.
std::string DescribeValue(double value);
