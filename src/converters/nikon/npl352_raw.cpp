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

// The comment lines of the header declare the units ("CO,Angle Units: DDDMMSS") of the records
// after them.
void keep_records(Conversion& c, LineReader& in, OutputFile& scratch, DeclaredUnits& units) {
  while (!in.at_end()) {
    const std::string_view line = in.read_line();
    if (is_kept_record(line, in.where())) {
      scratch.write_line(line);
    } else if (const auto word = declared_word(line, "CO,Angle Units:")) {
      units.declare(c, in.where(), *word, kNikonUnitWords, scratch.lines() + 1);
    } else if (const auto distance = declared_word(line, "CO,Dist Units:")) {
      declare_distance_unit(c, in.where(), *distance, "Metres");
    }
  }
  scratch.close();
}

void skip_items(ItemReader& rows, int count) {
  for (int i = 0; i < count; ++i) rows.skip_item();
}

// The five items an F1 and an SS record share, in the order they stand; the angles converted
// from `unit` to grads.
void read_shot(ItemReader& rows, AngleUnit unit, Shot& shot) {
  rows.read_item(shot.target);
  shot.where = rows.where();
  rows.read_item(shot.target_height);
  rows.read_item(shot.slope_distance);
  rows.read_item(shot.reading_item);
  convert_to_grads(shot.reading_item, unit, rows.where());
  shot.reading = as_number(shot.reading_item, rows.where());  // empty is 0; other text is an error
  rows.read_item(shot.vertical_angle);
  convert_to_grads(shot.vertical_angle, unit, rows.where());
}

void records_to_observations(ItemReader& rows, MeasurementOutputs& out,
                             const DeclaredUnits& units) {
  Setup setup;  // a new ST keeps the backsight of the previous station until its own F1 comes
  Value type;   // read into again and again: no new values a record
  Shot shot;
  while (!rows.at_end()) {
    rows.read_item(type);
    const AngleUnit unit = units.at(rows.own_line());
    if (equals_text(type, "ST")) {
      rows.read_item(setup.station);
      skip_items(rows, 3);
      rows.read_item(setup.instrument_height);
      skip_items(rows, 2);
    } else if (equals_text(type, "F1")) {
      read_shot(rows, unit, shot);
      skip_items(rows, 1);
      setup.backsight = shot.target;
      setup.backsight_direction = shot.reading;
      write_shot(shot, setup, out, &out.stations);  // the backsight is a station
    } else if (equals_text(type, "SS")) {
      read_shot(rows, unit, shot);
      skip_items(rows, 2);
      write_shot(shot, setup, out);
    }
    // Any other item is dropped by itself; the next one is read as a type.
  }
}

}  // namespace

void convert_npl352_raw(Conversion& c) {
  DeclaredUnits units;
  {
    LineReader in = c.read_input_lines();
    OutputFile records = c.write_scratch(0, in);
    keep_records(c, in, records, units);
  }
  ItemReader rows = c.read_scratch_items(0);
  MeasurementOutputs out(c);  // late opening: both files are created now
  records_to_observations(rows, out, units);
}

}  // namespace korvath::nikon
