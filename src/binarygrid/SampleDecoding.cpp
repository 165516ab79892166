#include "binarygrid/SampleDecoding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "binarygrid/ByteOrder.h"
#include "binarygrid/IbmFloat.h"
#include "grid/NoDataMarkers.h"

namespace {

template <typename Word>
Word Swapped(Word word) {
  if constexpr (sizeof(Word) == 1) {
    return word;
  } else if constexpr (sizeof(Word) == 2) {
    return static_cast<Word>(__builtin_bswap16(static_cast<std::uint16_t>(word)));
  } else if constexpr (sizeof(Word) == 4) {
    return static_cast<Word>(__builtin_bswap32(static_cast<std::uint32_t>(word)));
  } else {
    return static_cast<Word>(__builtin_bswap64(static_cast<std::uint64_t>(word)));
  }
}

// The stored type of each sample type, as the machine holds it once in its own byte order.
template <typename Stored, bool kSwap, typename Convert>
void DecodeAll(const char* bytes, std::size_t count, float* values, Convert convert) {
  for (std::size_t i = 0; i < count; ++i) {
    Stored word;
    std::memcpy(&word, bytes + i * sizeof(Stored), sizeof(Stored));
    if constexpr (kSwap) word = Swapped(word);
    values[i] = convert(word);
  }
}

template <typename Stored, typename Convert>
void DecodeInOrder(const char* bytes, std::size_t count, bool swap, float* values,
                   Convert convert) {
  if (swap) {
    DecodeAll<Stored, true>(bytes, count, values, convert);
  } else {
    DecodeAll<Stored, false>(bytes, count, values, convert);
  }
}

float FromBits(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

double FromBits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Integers go through a double, as a decimal's digits do before their float: one rounding for
// all but 64-bit integers, which round as their decimal text would.
template <typename Integer>
float FromInteger(Integer word) {
  return static_cast<float>(static_cast<double>(word));
}

void DecodeFast(const char* bytes, std::size_t count, SampleLayout layout, float* values) {
  const bool swap = layout.bigEndian == HostIsLittleEndian();
  switch (layout.type) {
    case SampleType::kIbmFloat32:
      return DecodeInOrder<std::uint32_t>(bytes, count, swap, values, IbmToFloat);
    case SampleType::kInt8:
      return DecodeInOrder<std::int8_t>(bytes, count, swap, values, FromInteger<std::int8_t>);
    case SampleType::kUInt8:
      return DecodeInOrder<std::uint8_t>(bytes, count, swap, values, FromInteger<std::uint8_t>);
    case SampleType::kInt16:
      return DecodeInOrder<std::int16_t>(bytes, count, swap, values, FromInteger<std::int16_t>);
    case SampleType::kUInt16:
      return DecodeInOrder<std::uint16_t>(bytes, count, swap, values, FromInteger<std::uint16_t>);
    case SampleType::kInt32:
      return DecodeInOrder<std::int32_t>(bytes, count, swap, values, FromInteger<std::int32_t>);
    case SampleType::kUInt32:
      return DecodeInOrder<std::uint32_t>(bytes, count, swap, values, FromInteger<std::uint32_t>);
    case SampleType::kInt64:
      return DecodeInOrder<std::int64_t>(bytes, count, swap, values, FromInteger<std::int64_t>);
    case SampleType::kUInt64:
      return DecodeInOrder<std::uint64_t>(bytes, count, swap, values, FromInteger<std::uint64_t>);
    case SampleType::kFloat32:
      return DecodeInOrder<std::uint32_t>(bytes, count, swap, values,
                                          [](std::uint32_t word) { return FromBits(word); });
    case SampleType::kFloat64:
      return DecodeInOrder<std::uint64_t>(bytes, count, swap, values, [](std::uint64_t word) {
        return static_cast<float>(FromBits(word));
      });
  }
}

// The sample at index i as a double, for a message.
double ValueAt(const char* bytes, std::size_t i, SampleLayout layout) {
  const char* at = bytes + i * BytesOf(layout.type);
  switch (layout.type) {
    case SampleType::kIbmFloat32:
      return IbmToDouble(LoadU32(at, layout.bigEndian));
    case SampleType::kFloat64:
      return FromBits(LoadU64(at, layout.bigEndian));
    default:
      return FromBits(LoadU32(at, layout.bigEndian));
  }
}

std::size_t CountNonFinite(const float* values, std::size_t count) {
  std::size_t found = 0;
  for (std::size_t i = 0; i < count; ++i) found += !(std::fabs(values[i]) <= 3.4028235e38f);
  return found;
}

}  // namespace

std::size_t BytesOf(SampleType type) {
  switch (type) {
    case SampleType::kInt8:
    case SampleType::kUInt8:
      return 1;
    case SampleType::kInt16:
    case SampleType::kUInt16:
      return 2;
    case SampleType::kInt64:
    case SampleType::kUInt64:
    case SampleType::kFloat64:
      return 8;
    default:
      return 4;
  }
}

std::string DescribeSamples(SampleType type) {
  switch (type) {
    case SampleType::kIbmFloat32:
      return "IBM floats";
    case SampleType::kFloat32:
      return "32-bit floats";
    case SampleType::kFloat64:
      return "64-bit floats";
    default:
      break;
  }
  const bool isSigned = type == SampleType::kInt8 || type == SampleType::kInt16 ||
                        type == SampleType::kInt32 || type == SampleType::kInt64;
  return std::to_string(BytesOf(type) * 8) + "-bit " + (isSigned ? "" : "unsigned ") + "integers";
}

std::string DescribeByteOrder(bool bigEndian) { return bigEndian ? "big-endian" : "little-endian"; }

float HoleMarker() { return kSurferBlank; }

DecodedSamples DecodeSamples(const char* bytes, std::size_t count, SampleLayout layout,
                             float* values) {
  DecodedSamples decoded;
  const std::size_t size = BytesOf(layout.type);
  // Integers are always finite; NaN and infinities are rare: a second look finds them.
  const bool floats = layout.type == SampleType::kIbmFloat32 ||
                      layout.type == SampleType::kFloat32 || layout.type == SampleType::kFloat64;
  // A block's bytes copied first, within the fastest cache: the values may take their place.
  constexpr std::size_t kBlockBytes = 4096;
  alignas(8) char block[kBlockBytes];
  const std::size_t perBlock = kBlockBytes / size;
  // Floats of this machine's order already where they go are the values as they are.
  const bool asTheyAre = layout.type == SampleType::kFloat32 &&
                         layout.bigEndian != HostIsLittleEndian() &&
                         bytes == reinterpret_cast<const char*>(values);
  std::size_t done = 0;
  while (done < count) {
    const std::size_t n = std::min(perBlock, count - done);
    float* const out = values + done;
    if (!asTheyAre) {
      std::memcpy(block, bytes + done * size, n * size);
      DecodeFast(block, n, layout, out);
    }
    if (floats && CountNonFinite(out, n) > 0) {
      for (std::size_t i = 0; i < n; ++i) {
        if (std::isnan(out[i])) {
          if (decoded.holes++ == 0) decoded.firstHole = done + i;
          out[i] = HoleMarker();
        } else if (std::isinf(out[i])) {
          decoded.beyond = true;
          decoded.firstBeyond = done + i;
          decoded.beyondValue = asTheyAre ? out[i] : ValueAt(block, i, layout);
          count = done + i;
          break;
        }
      }
    }
    done += n;
  }
  decoded.range = FindValueRange(values, std::min(done, count));
  return decoded;
}

std::string DescribeValue(double value) {
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}
