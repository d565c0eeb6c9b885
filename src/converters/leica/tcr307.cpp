// Leica TCR 307: lines of a record letter and values separated by runs of blanks. "S" sets up a
// station (name, instrument height); "D" observes a target (name, target height, horizontal
// reading, vertical angle, slope distance). Three passes: blank runs to commas, short
// observations completed, then the records to observations.
#include <algorithm>
#include <string>

#include "converters/leica/leica.hpp"
#include "converters/leica/measurement_records.hpp"
#include "flow/blank_runs.hpp"
#include "flow/conversion.hpp"
#include "flow/output_file.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
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

// Every run of blanks of the trimmed line to commas (see blanks_to_commas_bytewise), written in
// place after what `result` holds.
void blanks_to_commas(std::string_view line, std::string& result) {
  const std::string_view trimmed = trim(line);
  const std::size_t start = result.size();
  result.resize(start + trimmed.size() + 16);  // room for copies of sixteen bytes
  char* out = result.data() + start;
  // Runs of sixteen blanks or more, rare, are left to the loop a byte, which keeps the rule of
  // one comma for each thirty.
  char* end = blank_runs_to_commas(trimmed.data(), trimmed.size(), out, true).end;
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

// An observation cut short reads its vertical angle and slope distance as 0; but the last line
// of a download cut off in its transfer (no line end) is no observation the instrument wrote
// short. `cut`: whether the input's last line had no line end.
void complete_observations(LineReader& in, OutputFile& scratch, bool cut) {
  while (!in.at_end()) {
    const std::string_view line = trim(in.read_line());
    const bool short_observation =
        !line.empty() && line.front() == 'D' && line.size() < kFullObservation;
    if (short_observation && cut && in.at_end())
      throw ConversionError(Fault::read_past_end, in.where(), std::string(line));
    if (short_observation) {
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
  bool cut = false;
  {
    LineReader in = c.read_input_lines();
    OutputFile items = c.write_scratch(0, in);
    lines_to_items(in, items);
    cut = in.last_line_unended();
  }
  {
    LineReader items = c.read_scratch_lines(0);
    OutputFile records = c.write_scratch(1, items);
    complete_observations(items, records, cut);
  }
  ItemReader records = c.read_scratch_items(1);
  if (cut) records.mark_last_line_unended();
  RecordTally tally;
  records_to_observations(c, records, kTcr307Records, tally);
}

}  // namespace korvath::leica
