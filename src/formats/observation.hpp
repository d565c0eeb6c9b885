// One observation as the measurement files take it, and the two rules most converters share:
// reduction to the backsight and routing by target name.
#pragma once

#include "flow/value.hpp"

namespace korvath {

/// The values it is written from, not copies: a line is written from a record's values and the
/// current set-up where they stand. Build it where it is written; it lives no longer.
struct Observation {
  const Value &target, &station, &backsight, &target_height, &direction, &vertical_angle,
      &slope_distance, &instrument_height;
};

/// The horizontal reading reduced to the backsight: reading minus backsight direction, plus
/// 400 grads once when the difference is negative. Throws Fault::number_too_large when the
/// difference is beyond a double (1E308 against -1E308), which no file could hold.
double reduce_to_backsight(double reading, double backsight_direction, const Where& where = {});

/// Whether an observation goes to the station file: `read_number` of the target name, as
/// plain text, is 0 (named stations such as S1 or ST2, and the point 0).
bool is_station_target(const Value& target, const Where& where = {});

}  // namespace korvath
