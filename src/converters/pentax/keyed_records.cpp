// Pentax keyed records: pass 1 keeps the instrument lines that carry a record key, as
// "KEY,value" scratch lines; pass 2 reads them back item by item. A "PPD" item opens an
// observation group whose next four lines are taken by position (target height, horizontal
// reading, vertical angle, distance); "STS" and "INH" change the setup the groups belong to.
#include "converters/pentax/keyed_records.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "flow/output_file.hpp"
#include "flow/readers.hpp"
#include "flow/text.hpp"
#include "formats/measurement_files.hpp"
#include "formats/odr_file.hpp"

namespace korvath::pentax {
namespace {

constexpr std::array<std::string_view, 7> kKeys = {"STS", "INH", "PPD", "PFH", "RTH", "RTV", "RTD"};
// The station and the previous station before the first setup.
constexpr std::string_view kNoStation = "T-T-T";

void filter_lines(LineReader& in, KeyedLineRule rule, OutputFile& scratch) {
  while (!in.at_end()) {
    const std::string_view line = trim(in.read_line());
    scratch.write_line_with(
        [&](std::string& scratch_line) { return rule(line, in.where(), scratch_line); });
  }
  scratch.close();
}

// The values an observation group is written from, each kept until a record replaces it.
struct Group {
  Value target, station = text(kNoStation), backsight = text(kNoStation), target_height, direction,
                vertical_angle, slope_distance, instrument_height;
};

void records_to_observations(Conversion& c, ItemReader& rows) {
  MeasurementOutputs out(c);
  OdrFile odr(c.odr_file());
  // The horizontal reading is written as read: these commands do not reduce to a backsight.
  // The backsight name is the previously occupied station.
  Group o;
  Value item;  // the key item of each line, read into the same value
  while (!rows.at_end()) {
    // The key an item holds, blanks around it dropped; a number holds none.
    rows.read_item(item);
    const std::string_view key = trim(text_in(item));
    if (key == "STS") {
      std::swap(o.backsight, o.station);  // the new station is read over the old backsight
      rows.read_item(o.station);
      odr.write_station(o.station);
    } else if (key == "INH") {
      rows.read_item(o.instrument_height);
      odr.write_instrument_height(o.instrument_height);
    } else if (key == "PPD") {
      rows.read_item(o.target);
      const Where target_at = rows.where();
      for (Value* v : {&o.target_height, &o.direction, &o.vertical_angle, &o.slope_distance}) {
        rows.skip_item();  // the key of the group's line: the group is read by position
        rows.read_item(*v);
      }
      odr.write_observation(o.target, o.target_height, o.direction, o.vertical_angle,
                            o.slope_distance);
      out.write_routed({o.target, o.station, o.backsight, o.target_height, o.direction,
                        o.vertical_angle, o.slope_distance, o.instrument_height},
                       target_at);
    }
    // Any other key (a group line out of place, the rest of a value split at a comma) is
    // skipped: its item is dropped and nothing is written for it.
  }
}

}  // namespace

bool is_record_key(std::string_view key) {
  if (key.size() != 3) return false;  // every key is three letters
  // Compared three bytes at once, of a known length: every instrument line asks.
  return std::any_of(kKeys.begin(), kKeys.end(), [key](std::string_view k) {
    return std::memcmp(k.data(), key.data(), 3) == 0;
  });
}

void convert_keyed_download(Conversion& c, KeyedLineRule rule) {
  {
    LineReader in = c.read_input_lines();
    OutputFile records = c.write_scratch(0, in);
    filter_lines(in, rule, records);
  }
  ItemReader rows = c.read_scratch_items(0);
  records_to_observations(c, rows);
}

}  // namespace korvath::pentax
