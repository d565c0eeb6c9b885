// Topcon GTS 3000: comma-separated records with a numeric key, 1 for a station set-up (name,
// instrument height) and 2 for an observation (point, horizontal reading, vertical angle, slope
// distance, target height). The records are separated by bare line feeds, which only the
// rich-text pass turns into lines; the observation directly after a set-up is the backsight.
#include <cstdint>
#include <string>

#include "converters/topcon/rich_text_pass.hpp"
#include "converters/topcon/topcon.hpp"
#include "flow/conversion.hpp"
#include "flow/number_text.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/text.hpp"
#include "formats/measurement_files.hpp"

namespace korvath::topcon {
namespace {

// Pass B: every data line of the rendering becomes a line of its own.
void copy_data_lines(RichTextDataLines& lines, OutputFile& out) {
  while (const auto line = lines.next()) out.write_line(*line);
  out.close();
}

// The key as a number. An empty key is no number here, unlike an empty value in arithmetic.
double record_key(const Value& key, const Where& where) {
  return is_empty(key) ? as_number(text(""), where) : as_number(key, where);
}

// Pass C. Each record is the fields of its own line.
void records_to_observations(ItemReader& rows, MeasurementOutputs& out, RecordTally& tally,
                             SetupTally& setups) {
  std::uint64_t record = 0, station_record = 0;
  Value station, instrument_height, backsight;
  double backsight_direction = 0;
  // Read into again and again: no new values a record.
  Value key_item, point, reading, vertical_angle, slope_distance, target_height;
  while (!rows.at_end()) {
    rows.read_item(key_item);
    const Where at_key = rows.where();
    const double key = record_key(key_item, at_key);
    ++record;
    if (key == 1) {
      rows.read_field(station);
      rows.read_field(instrument_height);
      station_record = record;
      setups.set_up(station, at_key);
    } else if (key == 2) {
      rows.read_field(point);
      rows.read_field(reading);
      const Where at = rows.where();
      rows.read_field(vertical_angle);
      rows.read_field(slope_distance);
      rows.read_field(target_height);
      if (record - station_record == 1) {
        backsight = point;
        backsight_direction = as_number(reading, at);
      }
      setups.observe(at_key);
      out.write_routed({point, station, backsight, target_height,
                        reduce_to_backsight(as_number(reading, at), backsight_direction, at),
                        vertical_angle, slope_distance, instrument_height},
                       at);
    } else {
      // A record type this converter does not know: counted and skipped, not written as a
      // repeat of the last observation.
      const std::string type(trim(bare_number(key)));
      tally.count(tally.passed_over("παραλείφθηκε 1 εγγραφή τύπου " + type,
                                    "παραλείφθηκαν {} εγγραφές τύπου " + type),
                  at_key);
    }
    rows.skip_rest_of_line();
    tally.count_if_short(rows, at_key);
  }
}

}  // namespace

void convert_gts3000(Conversion& c) {
  {
    RecordText in = c.read_input_as<RecordText>();
    OutputFile rendering = c.write_scratch(0);
    rich_text_pass(in, rendering);
  }
  {
    RichTextDataLines lines(c.read_scratch_lines(0, 1));
    OutputFile records = c.write_scratch(1, lines.reader());
    copy_data_lines(lines, records);
  }
  ItemReader rows = c.read_scratch_items(1);
  MeasurementOutputs out(c);
  RecordTally tally;
  SetupTally setups(tally);
  records_to_observations(rows, out, tally, setups);
  setups.close(c);
  tally.report(c, c.input_name());
}

}  // namespace korvath::topcon
