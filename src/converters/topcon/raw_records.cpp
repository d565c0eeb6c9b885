// The raw records: "STN" sets up a station, "BS" names the backsight target, "SS" a side-shot
// target, and "SD" (with a slope distance) or "HV" (without) measures the current target. The
// measurement directly after "BS" gives the backsight direction.
#include "converters/topcon/raw_records.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/report.hpp"
#include "flow/text.hpp"
#include "formats/measurement_files.hpp"

namespace korvath::topcon {
namespace {

constexpr std::array<std::string_view, 5> kKeys = {"STN", "BS", "SD", "SS", "HV"};
constexpr std::size_t kKeyField = 8;
using KeyField = std::array<char, kKeyField>;
// A key as its field mostly stands: the key, then blanks.
constexpr KeyField padded(std::string_view key) {
  KeyField field{};
  field.fill(' ');
  std::copy(key.begin(), key.end(), field.begin());
  return field;
}
constexpr std::array<KeyField, kKeys.size()> padded_keys() {
  std::array<KeyField, kKeys.size()> fields{};
  for (std::size_t i = 0; i < kKeys.size(); ++i) fields[i] = padded(kKeys[i]);
  return fields;
}
constexpr auto kKeyFields = padded_keys();

// Whether the key field, trimmed, is a known key. Every line of the download asks: a field as
// it mostly stands is compared whole, eight bytes at once, without trimming it.
bool is_known_key(std::string_view key) {
  if (key.size() == kKeyField) {
    for (const auto& known : kKeyFields)
      if (std::memcmp(key.data(), known.data(), kKeyField) == 0) return true;
  }
  const std::string_view trimmed = trim(key);
  return std::find(kKeys.begin(), kKeys.end(), trimmed) != kKeys.end();
}

struct RawState {
  std::uint64_t record = 0, backsight_record = 0;  // 0: no "BS" yet
  Value station, instrument_height, backsight, target, target_height;
  double backsight_direction = 0;
  // The values of the measurement read last, read into again and again.
  Value reading, vertical_angle, slope_distance;
};

void write_measurement(const RawState& s, const Value& slope_distance, MeasurementOutputs& out,
                       const Where& where) {
  const Value direction =
      reduce_to_backsight(as_number(s.reading, where), s.backsight_direction, where);
  const Observation o{s.target,  s.station,        s.backsight,    s.target_height,
                      direction, s.vertical_angle, slope_distance, s.instrument_height};
  // A measurement with no target named before it is a detail point, not a station.
  if (is_station_target(o.target, where) && (is_number(o.target) || !text_in(o.target).empty())) {
    out.stations.write(o);
  } else {
    out.points.write(o);
  }
}

}  // namespace

void KeyLineWriter::write(std::string_view raw_line, const Where& where, bool ended) {
  const std::string_view key = field(raw_line, 1, kKeyField);
  last_kept_unended_ = false;
  if (is_known_key(key)) {
    last_kept_unended_ = !ended;
    const std::string_view data = field(raw_line, kKeyField + 1);
    key_lines_.write_line_with(
        [&](std::string& line) { line.append(key).append(1, ',').append(data); });
    return;
  }
  // A key that, trimmed and freed of tabs, is "UNITS" and nothing more; its data holds the
  // distance unit and the angle unit.
  const auto rest = declared_word(key, "UNITS");
  if (!rest || !rest->empty()) {
    // Records of other kinds (coordinates XYZ, back bearings BKB, the job's heading) are
    // counted by their key; a blank line is no record.
    if (const std::string other = quoted_text(trim(key)); !other.empty())
      tally_.count(tally_.passed_over("παραλείφθηκε 1 εγγραφή «" + other + "»",
                                      "παραλείφθηκαν {} εγγραφές «" + other + "»"),
                   where);
    return;
  }
  const std::string_view data = field(raw_line, kKeyField + 1);
  const auto comma = data.find(',');
  declare_distance_unit(c_, where, trim(data.substr(0, comma)), "M");
  if (comma == std::string_view::npos) return;
  const std::string_view angle = data.substr(comma + 1);
  units_.declare(c_, where, trim(angle.substr(0, angle.find(','))), kTopconUnitWords,
                 key_lines_.lines() + 1);
}

void convert_raw_records(Conversion& c, ItemReader& rows, const DeclaredUnits& units,
                         RecordTally& tally) {
  MeasurementOutputs out(c);
  RawState s;
  SetupTally setups(tally);
  const Value no_distance = 0.0;  // an "HV" measurement's
  Value item;                     // the key item of each record, read into the same value
  while (!rows.at_end()) {
    // A number in the key's place holds no key (a plain number never reads as one).
    rows.read_item(item);
    const Where record = rows.where();
    const std::string_view key = trim(text_in(item));
    const AngleUnit unit = units.at(rows.own_line());
    ++s.record;
    // Each record is the fields of its own line: a trailing empty field, or a missing one,
    // never moves the next record.
    if (key == "STN") {
      rows.read_field(s.station);
      rows.read_field(s.instrument_height);
      rows.skip_field();  // not used
      setups.set_up(s.station, record);
    } else if (key == "BS") {
      rows.read_field(s.backsight);
      s.target = s.backsight;
      rows.read_field(s.target_height);
      s.backsight_record = s.record;
      tally.set_up();
    } else if (key == "SS") {
      rows.read_field(s.target);
      rows.read_field(s.target_height);
      rows.skip_field();  // the point code, not used
    } else if (key == "SD" || key == "HV") {
      rows.read_field(s.reading);
      const Where at = rows.where();
      convert_to_grads(s.reading, unit, at);
      rows.read_field(s.vertical_angle);
      convert_to_grads(s.vertical_angle, unit, rows.where());
      const bool has_distance = key == "SD";
      if (has_distance) rows.read_field(s.slope_distance);
      if (s.record - s.backsight_record == 1) s.backsight_direction = as_number(s.reading, at);
      setups.observe(record);
      write_measurement(s, has_distance ? s.slope_distance : no_distance, out, at);
    }
    rows.skip_rest_of_line();
    tally.count_if_short(rows, record);
  }
  setups.close(c);
  tally.report(c, c.input_name());
}

}  // namespace korvath::topcon
