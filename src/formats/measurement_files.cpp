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

void SetupTally::set_up(const Value& station, const Where& where) {
  any_ = true;
  tally_.set_up();
  if (is_empty(station) || is_station_target(station, where)) {
    named_ = true;
  } else {
    if (numbered_++ == 0) first_numbered_ = where.line;
  }
}

void SetupTally::close(const Conversion& c) {
  if (named_ || numbered_ == 0 || c.lines_written_to(0) > 0) return;
  tally_.count(
      "1 στάση με όνομα αριθμό: το αρχείο μετρήσεων στάσεων έμεινε κενό, οι "
      "μετρήσεις πήγαν στο αρχείο σημείων",
      "{} στάσεις με όνομα αριθμό: το αρχείο μετρήσεων στάσεων έμεινε κενό, οι "
      "μετρήσεις πήγαν στο αρχείο σημείων",
      {{}, first_numbered_}, numbered_);
}

void SetupTally::before_set_up(const Where& where) {
  tally_.count(kBeforeSetUp.one, kBeforeSetUp.many, where);
}

}  // namespace korvath
