// Nikon NPL 352 DOS format: a stream of comma-separated items, five to a record. A record whose
// first item is "*" sets up a station (name, backsight, backsight direction, instrument height);
// any other record observes a target (name, slope distance, target height, vertical angle,
// horizontal reading). Line ends separate items like commas, so a record may span lines.
#include "converters/nikon/nikon.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/text.hpp"
#include "formats/measurement_files.hpp"

namespace korvath::nikon {
namespace {

// Empty until the first station record: observations before it are reduced by 0.
struct Station {
  Value name, backsight, instrument_height;
  double backsight_direction = 0;
};

// A reading as the instrument wrote it: text gives its leading number, or 0 when it has none.
double reading(ItemReader& items) {
  const Value item = items.read_item();
  return read_number_of(item, items.where());
}

void read_station(ItemReader& items, Station& station) {
  station.name = items.read_item();
  station.backsight = items.read_item();
  station.backsight_direction = reading(items);
  station.instrument_height = items.read_item();
}

Observation read_observation(ItemReader& items, Value target, const Station& station) {
  Value slope_distance = items.read_item();
  Value target_height = items.read_item();
  Value vertical_angle = items.read_item();
  const double direction = reduce_to_backsight(reading(items), station.backsight_direction);
  return {.target = std::move(target),
          .station = station.name,
          .backsight = station.backsight,
          .target_height = std::move(target_height),
          .direction = direction,
          .vertical_angle = std::move(vertical_angle),
          .slope_distance = std::move(slope_distance),
          .instrument_height = station.instrument_height};
}

}  // namespace

void convert_npl352_dos(Conversion& c) {
  MeasurementOutputs out(c);  // both files are open and empty since their own dialogs
  ItemReader items = c.read_input_items();
  Station station;
  while (!items.at_end()) {
    Value first = items.read_item();
    const Where where = items.where();
    if (equals_text(first, "*")) {
      read_station(items, station);
    } else {
      out.write_routed(read_observation(items, std::move(first), station), where);
    }
  }
}

}  // namespace korvath::nikon
