#pragma once
// The few compiler-specific things the fast text reading needs, for GCC/Clang and MSVC alike.

#include <cstdint>

#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#define MVG_FORCE_INLINE __forceinline
// MSVC's x64 targets always have SSE2 but do not say so with __SSE2__.
#if defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define MVG_HAVE_SSE2 1
#endif
#else
#define MVG_FORCE_INLINE __attribute__((always_inline)) inline
#if defined(__SSE2__)
#define MVG_HAVE_SSE2 1
#endif
#endif
// Processors without SSE2 read their text a byte at a time; MVG_NO_SSE2 has an x86 build do so
// too, so that this way is tested.
#if defined(MVG_NO_SSE2)
#undef MVG_HAVE_SSE2
#endif

// Characters are read several at a time as one little-endian word.
#if defined(__BYTE_ORDER__)
inline constexpr bool kLittleEndianHost = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
#else
inline constexpr bool kLittleEndianHost = true;  // MSVC targets are all little-endian
#endif

// Index of the lowest set bit; the word must not be 0.
inline unsigned LowestSetBit(std::uint64_t word) {
#if defined(_MSC_VER) && !defined(__clang__)
  unsigned long index = 0;
  _BitScanForward64(&index, word);
  return static_cast<unsigned>(index);
#else
  return static_cast<unsigned>(__builtin_ctzll(word));
#endif
}
