#include "formats/measurement_files.hpp"

namespace korvath {
namespace {
void append_observation(std::string& line, const Observation& o) {
  append_joined(line, o.target, o.station, o.backsight, o.target_height, o.direction,
                o.vertical_angle, o.slope_distance, o.instrument_height);
}
}  // namespace

void MeasurementFile::write(const Observation& o) {
  file_.write_line_with([&o](std::string& line) { append_observation(line, o); });
}

void MeasurementOutputs::write_routed(const Observation& o, const Where& where) {
  if (is_station_target(o.target, where)) {
    stations.write(o);
  } else {
    points.write(o);
  }
}

}  // namespace korvath
