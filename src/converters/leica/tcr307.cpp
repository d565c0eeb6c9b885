// Leica TCR 307: lines of a record letter and values separated by runs of blanks. "S" sets up a
// station (name, instrument height); "D" observes a target (name, target height, horizontal
// reading, vertical angle, slope distance). Three passes: blank runs to commas, short
// observations completed, then the records to observations.
#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "converters/leica/leica.hpp"
#include "converters/leica/measurement_records.hpp"
#include "flow/conversion.hpp"
#include "flow/output_file.hpp"
#include "flow/readers.hpp"
#include "flow/text.hpp"

namespace korvath::leica {
namespace {

// The longest run of blanks that becomes a single comma; a longer run becomes several.
constexpr std::size_t kLongestBlankRun = 30;
// An observation line shorter than this lacks its vertical angle and slope distance.
constexpr std::size_t kFullObservation = 25;

// Every run of blanks to commas, a byte at a time: as if the runs of 30 blanks were replaced
// first, then those of 29, and so on down to 1. A run of k blanks gives k / 30 commas, and one
// more for the rest. Returns the end of what was written; the commas are never more than the
// blanks.
char* blanks_to_commas_bytewise(const char* c, const char* end, char* out) {
  while (c != end) {
    while (c != end && *c != ' ') *out++ = *c++;
    std::size_t run = 0;
    for (; c != end && *c == ' '; ++c) ++run;
    if (run > 0)
      out = std::fill_n(out, run / kLongestBlankRun + (run % kLongestBlankRun ? 1 : 0), ',');
  }
  return out;
}

#if defined(__SSE2__)
// Bit i set when line[i] is a blank, for the sixteen bytes at `from`.
std::uint64_t blanks_in_sixteen(const char* from) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '))));
}

// The same for a line of at most 64 bytes whose runs are all short, from masks of its blanks:
// each stretch between the blanks a run drops is copied sixteen bytes at a time, its blanks
// turned into commas. No step waits for the one before, as a search from value to value
// would. Null for any other line. The line is read up to 64 bytes past its start.
char* blanks_to_commas_quickly(const char* c, std::size_t length, char* out) {
  if (length > 64) return nullptr;
  std::uint64_t blanks = blanks_in_sixteen(c) | blanks_in_sixteen(c + 16) << 16 |
                         blanks_in_sixteen(c + 32) << 32 | blanks_in_sixteen(c + 48) << 48;
  const std::uint64_t in_line = length == 64 ? ~0ULL : (1ULL << length) - 1;
  blanks &= in_line;
  // Runs of sixteen blanks or more, rare, are left to the loop a byte: the rule of one comma
  // for each thirty is its own. A bit is left where sixteen blanks begin.
  std::uint64_t long_runs = blanks;
  for (unsigned width = 1; width <= 8; width *= 2) long_runs &= long_runs >> width;
  if (long_runs != 0) return nullptr;
  const std::uint64_t dropped = blanks & blanks << 1;  // every blank of a run but its first
  const std::uint64_t kept = ~dropped & in_line;
  std::uint64_t starts = kept & ~(kept << 1), ends = kept & ~(kept >> 1);
  const __m128i blank = _mm_set1_epi8(' '), comma_from_blank = _mm_set1_epi8(' ' ^ ',');
  for (; starts != 0; starts &= starts - 1, ends &= ends - 1) {
    const auto first = static_cast<unsigned>(std::countr_zero(starts));
    const auto last = static_cast<unsigned>(std::countr_zero(ends));
    const auto before = static_cast<unsigned>(std::popcount(dropped & ((1ULL << first) - 1)));
    char* const to = out + (first - before);
    for (unsigned at = first; at <= last; at += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + at));
      const __m128i commas = _mm_and_si128(_mm_cmpeq_epi8(bytes, blank), comma_from_blank);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + (at - first)), _mm_xor_si128(bytes, commas));
    }
  }
  return out + (length - static_cast<std::size_t>(std::popcount(dropped)));
}
#endif

// Every run of blanks of the trimmed line to commas (see blanks_to_commas_bytewise), written in
// place after what `result` holds.
void blanks_to_commas(std::string_view line, std::string& result) {
  const std::string_view trimmed = trim(line);
  const std::size_t start = result.size();
  result.resize(start + trimmed.size() + 16);  // room for copies of sixteen bytes
  char* out = result.data() + start;
  char* end = nullptr;
#if defined(__SSE2__)
  end = blanks_to_commas_quickly(trimmed.data(), trimmed.size(), out);
#endif
  if (!end) end = blanks_to_commas_bytewise(trimmed.data(), trimmed.data() + trimmed.size(), out);
  result.resize(static_cast<std::size_t>(end - result.data()));
}

void lines_to_items(LineReader& in, OutputFile& scratch) {
  while (!in.at_end()) {
    const std::string_view line = in.read_line();
    scratch.write_line_with([line](std::string& items) { blanks_to_commas(line, items); });
  }
  scratch.close();
}

// An observation cut short reads its vertical angle and slope distance as 0.
void complete_observations(LineReader& in, OutputFile& scratch) {
  while (!in.at_end()) {
    const std::string_view line = trim(in.read_line());
    if (!line.empty() && line.front() == 'D' && line.size() < kFullObservation) {
      scratch.write_line_with(
          [line](std::string& completed) { completed.append(line).append(",0.0000,0.000"); });
    } else {
      scratch.write_line(line);
    }
  }
  scratch.close();
}

// "S": station, instrument height. "D": target, target height, reading, vertical, distance.
constexpr RecordLayout kTcr307Records{.setup_values = 1,
                                      .instrument_height = 0,
                                      .observation_values = 4,
                                      .backsight_values = 0,
                                      .reading = 1,
                                      .vertical_angle = 2,
                                      .slope_distance = 3,
                                      .target_height = 0,
                                      .backsight_is_station = true};

}  // namespace

void convert_tcr307(Conversion& c) {
  {
    LineReader in = c.read_input_lines();
    OutputFile items = c.write_scratch(0, in);
    lines_to_items(in, items);
  }
  {
    LineReader items = c.read_scratch_lines(0);
    OutputFile records = c.write_scratch(1, items);
    complete_observations(items, records);
  }
  ItemReader records = c.read_scratch_items(1);
  records_to_observations(c, records, kTcr307Records);
}

}  // namespace korvath::leica
