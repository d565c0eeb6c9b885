// South measurements: one record a line, its values separated by blanks. Pass 1 turns each line
// into a scratch row of nine values, "NOTAV" filling the positions the line does not hold;
// pass 2 reads the rows back: "NOTAV" in the third position makes a station row (name and
// instrument height), anything else an observation, reduced to the backsight, which is the
// observation right after the station row.
#include <algorithm>
#include <array>
#include <string>

#include "converters/south/south.hpp"
#include "flow/blank_runs.hpp"
#include "flow/conversion.hpp"
#include "flow/output_file.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/text.hpp"
#include "formats/measurement_files.hpp"

namespace korvath::south {
namespace {

constexpr std::size_t kRowSize = 9;
constexpr std::string_view kNotAvailable = "NOTAV";
constexpr std::string_view kNoDistance = "**********";

// Appends the row of one non-blank line: its values, then "NOTAV" up to nine positions. The row
// is written in place: it is never longer than its line and the fillers (room enough for the
// copies of sixteen bytes of blank_runs_to_commas).
void append_row(std::string_view line, const Where& where, std::string& row) {
  // The fillers come from one constant: appended piece by piece, they cost more than the values.
  static constexpr std::string_view kFillers =
      ",NOTAV,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV";
  static_assert(kFillers.size() == kRowSize * (1 + kNotAvailable.size()));
  const std::size_t start = row.size();
  row.resize(start + line.size() + kFillers.size());
  char* out = row.data() + start;
  std::size_t count = 0;
  const std::string_view values = trim(line);
  if (const CommaLine quick = blank_runs_to_commas(values.data(), values.size(), out, false);
      !values.empty() && quick.end && quick.runs < kRowSize) {
    out = quick.end;
    count = quick.runs + 1;
  } else {
    for (const char *c = values.data(), *end = c + values.size(); c != end;) {
      if (++count > kRowSize)
        throw ConversionError(Fault::too_many_values, where, std::string(line));
      if (count > 1) *out++ = ',';
      while (c != end && *c != ' ') *out++ = *c++;
      while (c != end && *c == ' ') ++c;  // a tab is part of a value
    }
  }
  const std::size_t fillers = (kRowSize - count) * (1 + kNotAvailable.size());
  out = std::copy_n(kFillers.data(), fillers, out);
  row.resize(static_cast<std::size_t>(out - row.data()));
}

// Whether the last line of a download cut off in its transfer (no line end) is short of its
// kind's values: one value (a station has two), or three or four (an observation has five).
bool cut_short(std::string_view line) {
  std::size_t values = 0;
  for (std::size_t i = 0; i < line.size(); ++i)
    if (line[i] != ' ' && (i == 0 || line[i - 1] == ' ')) ++values;
  return values == 1 || values == 3 || values == 4;
}

void lines_to_rows(LineReader& in, OutputFile& rows) {
  while (!in.at_end()) {
    const std::string_view line = in.read_line();
    // A blank line is no record: as a station row it would re-station every later observation
    // on an empty name with the instrument height "NOTAV".
    if (trim(line).empty()) continue;
    if (in.last_line_unended() && cut_short(line))
      throw ConversionError(Fault::read_past_end, in.where(), std::string(line));
    rows.write_line_with([&](std::string& row) { append_row(line, in.where(), row); });
  }
  rows.close();
}

struct Setup {
  Value station, instrument_height, backsight;
  double backsight_direction = 0;
  std::uint64_t row = 0;  // the station row's number; 0 before the first
};

void rows_to_observations(ItemReader& rows, MeasurementOutputs& out, SetupTally& setups) {
  Setup setup;
  // The first five values of a row are used; the code and the fillers after them are not.
  constexpr std::size_t kUsed = 5;
  std::array<Value, kUsed> item;
  const Value no_distance = 0.0;
  for (std::uint64_t row = 1; !rows.at_end(); ++row) {
    Where at;  // where the horizontal reading stands
    for (std::size_t i = 0; i < kUsed; ++i) {
      rows.read_item(item[i]);
      if (i == 2) at = rows.where();
    }
    for (std::size_t i = kUsed; i < kRowSize; ++i) rows.skip_item();
    if (equals_text(item[2], kNotAvailable)) {
      setup.station = item[0];
      setup.instrument_height = item[1];
      setup.row = row;
      setups.set_up(setup.station, at);
      continue;
    }
    setups.observe(at);
    const double reading = as_number(item[2], at);
    if (row - setup.row == 1) {  // the observation right after the station row
      setup.backsight = item[0];
      setup.backsight_direction = reading;
    }
    const Value& distance = equals_text(item[4], kNoDistance) ? no_distance : item[4];
    out.write_routed({item[0], setup.station, setup.backsight, item[1],
                      reduce_to_backsight(reading, setup.backsight_direction, at), item[3],
                      distance, setup.instrument_height},
                     at);
  }
}

}  // namespace

void convert_measurements(Conversion& c) {
  {
    LineReader in = c.read_input_lines();
    OutputFile rows = c.write_scratch(0, in);
    lines_to_rows(in, rows);
  }
  ItemReader rows = c.read_scratch_items(0);
  MeasurementOutputs out(c);  // both outputs are created only now
  RecordTally tally;
  SetupTally setups(tally);
  rows_to_observations(rows, out, setups);
  setups.close(c);
  tally.report(c, c.input_name());
}

}  // namespace korvath::south
