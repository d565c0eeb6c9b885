// Nikon NPL 352 raw format: one record a line, its type first. Of all types only three matter:
// ST sets up a station, F1 observes the backsight and so orients the station, SS is a side shot.
// Pass 1 keeps the lines of those three types in a scratch file; pass 2 reads it back item by
// item, a fixed number of items per type, whatever the line holds.
#include <string>
#include <string_view>

#include "converters/nikon/nikon.hpp"
#include "converters/nikon/shots.hpp"
#include "flow/conversion.hpp"
#include "flow/output_file.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/report.hpp"
#include "flow/text.hpp"
#include "formats/angle_unit.hpp"
#include "formats/measurement_files.hpp"

namespace korvath::nikon {
namespace {

// The type stands in the first two characters; a line indented by a blank is not a record.
bool is_kept_record(std::string_view line, const Where& where) {
  const std::string_view type = field(line, 1, 2, where);
  return type == "ST" || type == "F1" || type == "SS";
}

// Counts a line of another type, by its type (the text before its first comma, of up to three
// characters): comments (CO), measured points (MP), shots marked as deleted (*SS) and the like.
void count_passed_over(std::string_view line, const Where& where, RecordTally& tally) {
  if (trim_blanks_and_tabs(line).empty()) return;  // a blank line is no record
  const std::size_t comma = line.find(',');
  const std::string_view type = comma == std::string_view::npos
                                    ? std::string_view()
                                    : trim_blanks_and_tabs(line.substr(0, comma));
  if (type.empty() || type.size() > 3) {
    tally.count(tally.passed_over("παραλείφθηκε 1 γραμμή που δεν είναι εγγραφή RAW",
                                  "παραλείφθηκαν {} γραμμές που δεν είναι εγγραφές RAW"),
                where);
    return;
  }
  const std::string shown = quoted_text(type);
  tally.count(tally.passed_over("παραλείφθηκε 1 εγγραφή «" + shown + "»",
                                "παραλείφθηκαν {} εγγραφές «" + shown + "»"),
              where);
}

// The comment lines of the header declare the units ("CO,Angle Units: DDDMMSS") of the records
// after them.
// Returns whether the input's last line, kept, had no line end: pass 2 reads it as cut off.
bool keep_records(Conversion& c, LineReader& in, OutputFile& scratch, DeclaredUnits& units,
                  RecordTally& tally) {
  bool kept = false;
  while (!in.at_end()) {
    const std::string_view line = in.read_line();
    kept = is_kept_record(line, in.where());
    if (kept) {
      scratch.write_line(line);
      continue;
    }
    count_passed_over(line, in.where(), tally);
    if (const auto word = declared_word(line, "CO,Angle Units:")) {
      units.declare(c, in.where(), *word, kNikonUnitWords, scratch.lines() + 1);
    } else if (const auto distance = declared_word(line, "CO,Dist Units:")) {
      declare_distance_unit(c, in.where(), *distance, "Metres");
    }
  }
  scratch.close();
  return kept && in.last_line_unended();
}

void skip_fields(ItemReader& rows, int count) {
  for (int i = 0; i < count; ++i) rows.skip_field();
}

// The five fields an F1 and an SS record share, in the order they stand; the angles converted
// from `unit` to grads.
void read_shot(ItemReader& rows, AngleUnit unit, Shot& shot) {
  rows.read_field(shot.target);
  shot.where = rows.where();
  rows.read_field(shot.target_height);
  rows.read_field(shot.slope_distance);
  rows.read_field(shot.reading_item);
  convert_to_grads(shot.reading_item, unit, rows.where());
  shot.reading = as_number(shot.reading_item, rows.where());  // empty is 0; other text is an error
  rows.read_field(shot.vertical_angle);
  convert_to_grads(shot.vertical_angle, unit, rows.where());
}

// Each record is the fields of its own line: a record short of its last fields reads them
// empty, and the fields beyond its layout are passed over.
void records_to_observations(ItemReader& rows, MeasurementOutputs& out, const DeclaredUnits& units,
                             RecordTally& tally, SetupTally& setups) {
  Setup setup;  // a new ST keeps the backsight of the previous station until its own F1 comes
  Value type;   // read into again and again: no new values a record
  Value named_backsight;
  Shot shot;
  while (!rows.at_end()) {
    rows.read_item(type);
    const Where record = rows.where();
    const AngleUnit unit = units.at(rows.own_line());
    if (equals_text(type, "ST")) {
      rows.read_field(setup.station);
      rows.skip_field();
      // The backsight point the set-up names serves its shots until an F1 names one.
      rows.read_field(named_backsight);
      if (!is_empty(named_backsight)) setup.backsight = named_backsight;
      rows.skip_field();
      rows.read_field(setup.instrument_height);
      skip_fields(rows, 2);
      setups.set_up(setup.station, record);
    } else if (equals_text(type, "F1")) {
      read_shot(rows, unit, shot);
      skip_fields(rows, 1);
      setup.backsight = shot.target;
      setup.backsight_direction = shot.reading;
      setups.observe(record);
      write_shot(shot, setup, out, &out.stations);  // the backsight is a station
    } else if (equals_text(type, "SS")) {
      read_shot(rows, unit, shot);
      skip_fields(rows, 2);
      setups.observe(record);
      write_shot(shot, setup, out);
    }
    rows.skip_rest_of_line();
    tally.count_if_short(rows, record);
  }
}

}  // namespace

void convert_npl352_raw(Conversion& c) {
  DeclaredUnits units;
  RecordTally tally;
  bool cut = false;
  {
    LineReader in = c.read_input_lines();
    OutputFile records = c.write_scratch(0, in);
    cut = keep_records(c, in, records, units, tally);
  }
  ItemReader rows = c.read_scratch_items(0);
  if (cut) rows.mark_last_line_unended();
  MeasurementOutputs out(c);  // late opening: both files are created now
  SetupTally setups(tally);
  records_to_observations(rows, out, units, tally, setups);
  setups.close(c);
  tally.report(c, c.input_name());
}

}  // namespace korvath::nikon
