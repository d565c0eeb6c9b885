// The bytes comma-delimited items are cut at, and the search for them.
#pragma once

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvath {

inline bool is_separator(char c) {
  return c == ',' || c == '\r' || c == '\n';
}

/// A number begins with a digit, a sign or a point.
inline bool is_number_start(char c) {
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

/// The first byte in [from, limit) equal to one of `wanted`, or `limit`. Sixteen bytes at a time
/// where the processor compares them at once: lines and items are mostly shorter than the
/// set-up of a library search, and each byte is looked at once.
template <char... kWanted>
const char* find_any(const char* from, const char* limit) {
#if defined(__SSE2__)
  for (; limit - from >= 16; from += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const int found = _mm_movemask_epi8((_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kWanted)) | ...));
    if (found != 0) return from + std::countr_zero(static_cast<unsigned>(found));
  }
#endif
  while (from != limit && ((*from != kWanted) && ...)) ++from;
  return from;
}

/// The first separator in [from, limit), or `limit`.
inline const char* find_separator(const char* from, const char* limit) {
  return find_any<',', '\r', '\n'>(from, limit);
}

}  // namespace korvath
