// The raw records: "STN" sets up a station, "BS" names the backsight target, "SS" a side-shot
// target, and "SD" (with a slope distance) or "HV" (without) measures the current target. The
// measurement directly after "BS" gives the backsight direction.
#include "converters/topcon/raw_records.hpp"

#include <array>
#include <cstdint>

#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/text.hpp"
#include "formats/measurement_files.hpp"

namespace korvath::topcon {
namespace {

constexpr std::array<std::string_view, 5> kKeys = {"STN", "BS", "SD", "SS", "HV"};

struct RawState {
  std::uint64_t record = 0, backsight_record = 0;  // 0: no "BS" yet
  Value station, instrument_height, backsight, target, target_height;
  double backsight_direction = 0;
};

void write_measurement(const RawState& s, const Value& reading, Value vertical_angle,
                       Value slope_distance, MeasurementOutputs& out, Where where) {
  const Observation o{s.target,
                      s.station,
                      s.backsight,
                      s.target_height,
                      reduce_to_backsight(as_number(reading, where), s.backsight_direction, where),
                      std::move(vertical_angle),
                      std::move(slope_distance),
                      s.instrument_height};
  // A measurement with no target named before it is a detail point, not a station.
  if (is_station_target(o.target, where) && (is_number(o.target) || !text_in(o.target).empty())) {
    out.stations.write(o);
  } else {
    out.points.write(o);
  }
}

}  // namespace

void KeyLineWriter::write(std::string_view raw_line, Where where) {
  const std::string_view key = field(raw_line, 1, 8);
  const std::string_view trimmed_key = trim(key);
  for (std::string_view known : kKeys) {
    if (trimmed_key == known) {
      key_lines_.write(key);
      key_lines_.write(",");
      key_lines_.write_line(field(raw_line, 9));
      return;
    }
  }
  // A key that, trimmed and freed of tabs, is "UNITS" and nothing more; its data holds the
  // distance unit and the angle unit.
  if (const auto rest = declared_word(key, "UNITS"); rest && rest->empty()) {
    const std::string_view data = field(raw_line, 9);
    const auto comma = data.find(',');
    declare_distance_unit(c_, where, trim(data.substr(0, comma)), "M");
    if (comma == std::string_view::npos) return;
    const std::string_view angle = data.substr(comma + 1);
    units_.declare(c_, where, trim(angle.substr(0, angle.find(','))), kTopconUnitWords,
                   key_lines_.lines() + 1);
  }
}

void convert_raw_records(Conversion& c, ItemReader& rows, const DeclaredUnits& units) {
  MeasurementOutputs out(c);
  RawState s;
  Value item;  // the key item of each record, read into the same value
  while (!rows.at_end()) {
    // A number in the key's place holds no key (a plain number never reads as one).
    rows.read_item(item);
    const std::string_view key = trim(text_in(item));
    const AngleUnit unit = units.at(rows.own_line());
    ++s.record;
    if (key == "STN") {
      rows.read_item(s.station);
      rows.read_item(s.instrument_height);
      rows.read_item();  // not used
    } else if (key == "BS") {
      s.backsight = rows.read_item();
      s.target = s.backsight;
      s.target_height = rows.read_item();
      s.backsight_record = s.record;
    } else if (key == "SS") {
      rows.read_item(s.target);
      rows.read_item(s.target_height);
      rows.read_item();  // the point code, not used
    } else if (key == "SD" || key == "HV") {
      Value reading = rows.read_item();
      const Where at = rows.where();
      convert_to_grads(reading, unit, at);
      Value vertical_angle = rows.read_item();
      convert_to_grads(vertical_angle, unit, rows.where());
      Value slope_distance = key == "SD" ? rows.read_item() : Value(0.0);
      if (s.record - s.backsight_record == 1) s.backsight_direction = as_number(reading, at);
      write_measurement(s, reading, std::move(vertical_angle), std::move(slope_distance), out, at);
    }
    // Any other key can only be a data item that a record of the wrong length shifted into
    // the key's place: it is skipped, not written as a repeat of the last measurement.
  }
}

}  // namespace korvath::topcon
