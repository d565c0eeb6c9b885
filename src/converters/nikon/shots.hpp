// What both Nikon NPL 352 commands write: a shot at a target, from the station set up last,
// its reading reduced to that station's backsight.
#pragma once

#include "flow/conversion_error.hpp"
#include "flow/value.hpp"
#include "formats/measurement_files.hpp"

namespace korvath::nikon {

/// Kept from record to record, never reset; empty until the first set-up, so that shots before
/// it are reduced by 0.
struct Setup {
  Value station, instrument_height, backsight;
  double backsight_direction = 0;
};

/// The values of a shot, read into again and again: no new values a record.
struct Shot {
  Value target, target_height, slope_distance, vertical_angle;
  Value reading_item;  // the horizontal reading as read
  double reading = 0;  // and the number it is reduced by
  Where where;         // the target's line, for routing
};

/// Writes the shot from `setup` to `file` or, without one, routed by its target.
void write_shot(const Shot& shot, const Setup& setup, MeasurementOutputs& out,
                MeasurementFile* file = nullptr);

}  // namespace korvath::nikon
