#include "converters/nikon/shots.hpp"

#include "formats/observation.hpp"

namespace korvath::nikon {

void write_shot(const Shot& shot, const Setup& setup, MeasurementOutputs& out,
                MeasurementFile* file) {
  const Value direction = reduce_to_backsight(shot.reading, setup.backsight_direction, shot.where);
  const Observation o{.target = shot.target,
                      .station = setup.station,
                      .backsight = setup.backsight,
                      .target_height = shot.target_height,
                      .direction = direction,
                      .vertical_angle = shot.vertical_angle,
                      .slope_distance = shot.slope_distance,
                      .instrument_height = setup.instrument_height};
  if (file) {
    file->write(o);
  } else {
    out.write_routed(o, shot.where);
  }
}

}  // namespace korvath::nikon
