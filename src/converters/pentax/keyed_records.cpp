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
#include "flow/record_tally.hpp"
#include "flow/report.hpp"
#include "flow/text.hpp"
#include "formats/measurement_files.hpp"
#include "formats/odr_file.hpp"

namespace korvath::pentax {
namespace {

constexpr std::array<std::string_view, 7> kKeys = {"STS", "INH", "PPD", "PFH", "RTH", "RTV", "RTD"};
// The station and the previous station before the first setup.
constexpr std::string_view kNoStation = "T-T-T";

// Returns whether the input's last line, kept, had no line end: pass 2 reads it as cut off.
bool filter_lines(LineReader& in, KeyedLineRule rule, OutputFile& scratch, RecordTally& tally) {
  const std::size_t other =
      tally.passed_over("παραλείφθηκε 1 γραμμή χωρίς κλειδί STS, INH, PPD, PFH, RTH, RTV ή RTD",
                        "παραλείφθηκαν {} γραμμές χωρίς κλειδί STS, INH, PPD, PFH, RTH, RTV ή RTD");
  bool kept = false;
  while (!in.at_end()) {
    const std::string_view line = trim(in.read_line());
    const std::uint64_t before = scratch.lines();
    scratch.write_line_with(
        [&](std::string& scratch_line) { return rule(line, in.where(), scratch_line); });
    kept = scratch.lines() > before;
    if (!kept && !line.empty()) tally.count(other, in.where());
  }
  scratch.close();
  return kept && in.last_line_unended();
}

// The values an observation group is written from, each kept until a record replaces it.
struct Group {
  Value target, station = text(kNoStation), backsight = text(kNoStation), target_height, direction,
                vertical_angle, slope_distance, instrument_height;
};

void records_to_observations(Conversion& c, ItemReader& rows, RecordTally& tally) {
  MeasurementOutputs out(c);
  OdrFile odr(c.odr_file());
  SetupTally setups(tally);
  // The horizontal reading is written as read: these commands do not reduce to a backsight.
  // The backsight name is the previously occupied station.
  Group o;
  Value item;  // the key item of each line, read into the same value
  // Each scratch line is a key and its value; the rest of a value split at a comma is passed
  // over with its line.
  while (!rows.at_end()) {
    // The key an item holds, blanks around it dropped; a number holds none.
    rows.read_item(item);
    const Where at = rows.where();
    const std::string_view key = trim(text_in(item));
    if (key == "STS") {
      std::swap(o.backsight, o.station);  // the new station is read over the old backsight
      rows.read_field(o.station);
      odr.write_station(o.station);
      setups.set_up(o.station, at);
    } else if (key == "INH") {
      rows.read_field(o.instrument_height);
      odr.write_instrument_height(o.instrument_height);
      tally.set_up();
    } else if (key == "PPD") {
      rows.read_field(o.target);
      const Where target_at = rows.where();
      for (Value* v : {&o.target_height, &o.direction, &o.vertical_angle, &o.slope_distance}) {
        rows.skip_rest_of_line();
        // The group spans its next four lines by design, read by position whatever their keys:
        // a file that ends inside it was cut off.
        rows.skip_item();
        rows.read_field(*v);
      }
      setups.observe(at);
      odr.write_observation(o.target, o.target_height, o.direction, o.vertical_angle,
                            o.slope_distance);
      out.write_routed({o.target, o.station, o.backsight, o.target_height, o.direction,
                        o.vertical_angle, o.slope_distance, o.instrument_height},
                       target_at);
    } else {
      // A group line out of place: nothing is written for it.
      const std::string other = quoted_text(key);
      tally.count(
          tally.passed_over("παραλείφθηκε 1 γραμμή «" + other + "» εκτός ομάδας μέτρησης",
                            "παραλείφθηκαν {} γραμμές «" + other + "» εκτός ομάδας μέτρησης"),
          at);
    }
    rows.skip_rest_of_line();
  }
  setups.close(c);
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
  RecordTally tally;
  bool cut = false;
  {
    LineReader in = c.read_input_lines();
    OutputFile records = c.write_scratch(0, in);
    cut = filter_lines(in, rule, records, tally);
  }
  ItemReader rows = c.read_scratch_items(0);
  if (cut) rows.mark_last_line_unended();
  records_to_observations(c, rows, tally);
  tally.report(c, c.input_name());
}

}  // namespace korvath::pentax
