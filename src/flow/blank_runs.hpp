// Lines whose values are separated by blanks or another mark, made comma-separated sixteen bytes
// at a time: the first pass of the instruments that write such lines.
#pragma once

#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvath {

/// What blank_runs_to_commas wrote: where it ends, and how many runs of blanks it made commas.
struct CommaLine {
  char* end = nullptr;
  std::size_t runs = 0;
};

/// `line`, its `length` bytes without blanks at either end, written at `out` with each run of
/// blanks made one comma. Each stretch between the blanks a run drops is copied sixteen bytes at
/// a time from its own place: no step waits for the one before, as a search from value to value
/// would. Only for a line of at most 64 bytes, and with `under_sixteen` only for one whose runs
/// are shorter than sixteen blanks; `end` is null for any other line. The line is read up to
/// 64 bytes past its start (see kLineReadAhead), and up to 16 bytes of room past what is written
/// are written over.
CommaLine blank_runs_to_commas(const char* line, std::size_t length, char* out, bool under_sixteen);

/// Copies `from` to `out` with every `mark` turned into a comma, and returns the end. Sixteen
/// bytes at a time: `from` is read and `out` written up to 15 bytes past their ends, so `from`
/// must lie in a line read (see kLineReadAhead).
inline char* copy_marks_as_commas(std::string_view from, char* out, char mark) {
#if defined(__SSE2__)
  const __m128i marks = _mm_set1_epi8(mark), comma_from_mark = _mm_set1_epi8(mark ^ ',');
  for (std::size_t at = 0; at < from.size(); at += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from.data() + at));
    const __m128i commas = _mm_and_si128(_mm_cmpeq_epi8(bytes, marks), comma_from_mark);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm_xor_si128(bytes, commas));
  }
  return out + from.size();
#else
  for (const char c : from) *out++ = c == mark ? ',' : c;
  return out;
#endif
}

}  // namespace korvath
