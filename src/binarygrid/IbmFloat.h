#pragma once
// IBM System/360 single-precision floats, as SEG-Y sample format 1 stores them: a sign bit, a
// 7-bit exponent of 16 biased by 64 and a 24-bit fraction below the point, value =
// (-1)^sign x fraction / 2^24 x 16^(exponent - 64) = fraction x 2^(4 x exponent - 280).
//
// Why the conversion is exact: the fraction has at most 24 significant bits and 2^(4e - 280)
// lies between 2^-280 and 2^228, so their product is exact in a double; the one rounding is the
// double's to float, to the nearest (ties to even), as a cast does. A normalized IBM value in
// float's normal range has at most 24 significant bits and so converts exactly; only values in
// float's subnormal range are rounded. Values beyond float's range become infinities, which the
// readers refuse. A negative zero reads as 0.

#include <cstdint>
#include <cstring>

inline float IbmToFloat(std::uint32_t bits) {
  const std::uint64_t exponent = bits >> 24 & 0x7F;
  const std::uint64_t scaleBits = (exponent * 4 + (1023 - 280)) << 52;
  double scale;
  std::memcpy(&scale, &scaleBits, sizeof scale);
  const float magnitude = static_cast<float>(static_cast<double>(bits & 0xFFFFFF) * scale);
  std::uint32_t result;
  std::memcpy(&result, &magnitude, sizeof result);
  // A zero fraction is zero whatever its sign bit, as segyio reads it.
  if ((bits & 0xFFFFFF) != 0) result |= bits & 0x80000000u;
  float value;
  std::memcpy(&value, &result, sizeof value);
  return value;
}

// The IBM value of the bits as a double, exactly: what a message shows of a value beyond floats.
inline double IbmToDouble(std::uint32_t bits) {
  const std::uint64_t exponent = bits >> 24 & 0x7F;
  const std::uint64_t scaleBits = (exponent * 4 + (1023 - 280)) << 52;
  double scale;
  std::memcpy(&scale, &scaleBits, sizeof scale);
  const double magnitude = static_cast<double>(bits & 0xFFFFFF) * scale;
  return bits >> 31 ? -magnitude : magnitude;
}
