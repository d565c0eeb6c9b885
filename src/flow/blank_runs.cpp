#include "flow/blank_runs.hpp"

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvath {

#if defined(__SSE2__)
namespace {
// Bit i set when from[i] is a blank, for the sixteen bytes at `from`.
std::uint64_t blanks_in_sixteen(const char* from) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '))));
}
// The set bits of `bits`: std::popcount is a library call where the processor may lack the
// instruction, as the baseline of x86-64 does.
std::size_t count_ones(std::uint64_t bits) {
  bits -= (bits >> 1) & 0x5555555555555555U;
  bits = (bits & 0x3333333333333333U) + ((bits >> 2) & 0x3333333333333333U);
  bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0FU;
  return static_cast<std::size_t>((bits * 0x0101010101010101U) >> 56);
}
}  // namespace

CommaLine blank_runs_to_commas(const char* line, std::size_t length, char* out,
                               bool under_sixteen) {
  if (length > 64) return {};
  std::uint64_t blanks = blanks_in_sixteen(line) | blanks_in_sixteen(line + 16) << 16 |
                         blanks_in_sixteen(line + 32) << 32 | blanks_in_sixteen(line + 48) << 48;
  const std::uint64_t in_line = length == 64 ? ~0ULL : (1ULL << length) - 1;
  blanks &= in_line;
  if (under_sixteen) {
    std::uint64_t long_runs = blanks;  // a bit is left where sixteen blanks begin
    for (unsigned width = 1; width <= 8; width *= 2) long_runs &= long_runs >> width;
    if (long_runs != 0) return {};
  }
  const std::uint64_t dropped = blanks & blanks << 1;  // every blank of a run but its first
  const std::uint64_t kept = ~dropped & in_line;
  std::uint64_t starts = kept & ~(kept << 1), ends = kept & ~(kept >> 1);
  char* to = out;
  for (; starts != 0; starts &= starts - 1, ends &= ends - 1) {
    // A stretch of values with the one blank of a run kept after each: that blank is the comma.
    const auto first = static_cast<std::size_t>(std::countr_zero(starts));
    const auto last = static_cast<std::size_t>(std::countr_zero(ends));
    to = copy_marks_as_commas({line + first, last + 1 - first}, to, ' ');
  }
  return {to, count_ones(blanks & ~(blanks << 1))};
}
#else
CommaLine blank_runs_to_commas(const char*, std::size_t, char*, bool) {
  return {};
}
#endif

}  // namespace korvath
