// Leica TCR 407 IDX exchange file -> station and point measurement files. The first pass picks
// the SETUP blocks (station name, instrument height) and the SLOPE tables (one observation a
// record) out of the file into short records; the last pass reduces every direction to the
// first observation after its set-up.
#include <array>
#include <string>
#include <vector>

#include "converters/leica/leica.hpp"
#include "converters/leica/measurement_records.hpp"
#include "flow/conversion.hpp"
#include "flow/output_file.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/report.hpp"
#include "flow/text.hpp"
#include "formats/angle_unit.hpp"

namespace korvath::leica {
namespace {

// The items of one SLOPE record: number, target, configuration, Hz, Vz, slope distance,
// reflector height, date, ppm, application, flags.
constexpr std::size_t kSlopeItems = 11;

// The file indents its keywords and values with tabs: trimmed of blanks, then tabs removed.
std::string untabbed(std::string_view line) {
  return replace_all(trim(line), "\t", "");
}

// STN_ID "ST1": the name stands from character 7 on, less its quotes.
std::string station_name(std::string_view line) {
  return replace_all(field(line, 7), "\"", "");
}

// INST_HT 1.550000; the number from character 8, less the line's last three characters. A
// line shorter than 10 characters has no such field.
constexpr std::size_t kShortestHeightLine = 10;

double instrument_height(std::string_view line, const Where& where) {
  if (line.size() < kShortestHeightLine)
    throw ConversionError(Fault::line_too_short, where, std::string(line));
  const auto length = static_cast<long>(line.size() - kShortestHeightLine);
  return read_number(field(line, 8, length, where), where);
}

void copy_setup(ItemReader& in, OutputFile& scratch) {
  in.read_line();  // the station number
  const std::string name = station_name(untabbed(in.read_line()));
  const std::string height_line = untabbed(in.read_line());
  std::string record = "S," + name + ",";
  append_value(record, instrument_height(height_line, in.where()));
  scratch.write_line(record);
}

// One record a line: a record short of its last items reads them empty.
void copy_slope_table(ItemReader& in, OutputFile& scratch, RecordTally& tally) {
  // Target, Hz, Vz, distance, height; the other items are read past, their faults raised.
  constexpr std::array<std::size_t, 5> kUsed = {1, 3, 4, 5, 6};
  Value first;
  std::array<Value, kUsed.size()> used;  // read into again and again: no new values a record
  for (;;) {
    in.read_item(first);
    // Only text can read "END SLOPE": a number's plain text is never made for the look.
    if (is_text(first) && untabbed(text_in(first)) == "END SLOPE") return;
    if (is_empty(first) && in.line_ended()) continue;  // a blank line is no record
    const Where record = in.where();
    std::size_t next = 1;
    for (std::size_t i = 0; i < kUsed.size(); ++i) {
      for (; next < kUsed[i]; ++next) in.skip_field();
      in.read_field(used[i]);
      ++next;
    }
    for (; next < kSlopeItems; ++next) in.skip_field();
    in.skip_rest_of_line();
    tally.count_if_short(in, record);
    scratch.write_line_with([&used](std::string& record) {
      record += "D,";
      append_joined(record, used[0], used[1], used[2], used[3], used[4]);
    });
  }
}

// The other tables of the file (the point table and the tables in it, the instruments, the
// meteorological elements...) are passed over: their rows are counted by table, the innermost
// open one. A table opens with "NAME(columns)" and closes with "END NAME".
class OtherTables {
 public:
  explicit OtherTables(RecordTally& tally) : tally_(tally) {}
  void line(std::string_view line, const Where& where) {
    const std::size_t open = line.find('(');
    if (open != std::string_view::npos && open > 0 && line.ends_with(")")) {
      names_.emplace_back(line.substr(0, open));
    } else if (!names_.empty() && line == "END " + names_.back()) {
      names_.pop_back();
    } else if (!names_.empty() && !line.empty()) {
      const std::string name = quoted_text(names_.back());
      tally_.count(tally_.passed_over("παραλείφθηκε 1 εγγραφή του πίνακα " + name,
                                      "παραλείφθηκαν {} εγγραφές του πίνακα " + name),
                   where);
    }
  }

 private:
  RecordTally& tally_;
  std::vector<std::string> names_;
};

// The header's UNITS block declares the angle unit ("ANGULAR DMS") for the tables after it, and
// the distance unit ("LINEAR  METRE").
void idx_to_records(Conversion& c, ItemReader& in, OutputFile& scratch, DeclaredUnits& units,
                    RecordTally& tally) {
  OtherTables others(tally);
  while (!in.at_end()) {
    const std::string_view read = in.read_line();
    if (const auto word = declared_word(read, "ANGULAR"))
      units.declare(c, in.where(), *word, kLeicaUnitWords, scratch.lines() + 1);
    if (const auto word = declared_word(read, "LINEAR"))
      declare_distance_unit(c, in.where(), *word, kLeicaMetres);
    const std::string line = untabbed(read);
    const std::string_view keyword = field(line, 1, 5);
    if (keyword == "SETUP") {
      copy_setup(in, scratch);
    } else if (keyword == "SLOPE") {
      copy_slope_table(in, scratch, tally);
    } else {
      others.line(line, in.where());
    }
  }
  scratch.close();
}

// "S": station, instrument height. "D": target, Hz, Vz, slope distance, reflector height.
constexpr RecordLayout kIdxRecords{.setup_values = 1,
                                   .instrument_height = 0,
                                   .observation_values = 4,
                                   .backsight_values = 0,
                                   .reading = 0,
                                   .vertical_angle = 1,
                                   .slope_distance = 2,
                                   .target_height = 3,
                                   .backsight_is_station = false};

}  // namespace

void convert_tcr407_idx(Conversion& c) {
  DeclaredUnits units;
  RecordTally tally;
  {
    ItemReader in = c.read_input_items();
    OutputFile records = c.write_scratch(0, in);
    idx_to_records(c, in, records, units, tally);
  }
  ItemReader records = c.read_scratch_items(0);
  records_to_observations(c, records, kIdxRecords, tally, units);
}

}  // namespace korvath::leica
