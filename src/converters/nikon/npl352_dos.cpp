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

// Reads the rest of an observation line and writes it.
void write_observation(ItemReader& items, const Value& target, const Station& station,
                       MeasurementOutputs& out, Where where) {
  const Value slope_distance = items.read_item();
  const Value target_height = items.read_item();
  const Value vertical_angle = items.read_item();
  const Value direction = reduce_to_backsight(reading(items), station.backsight_direction);
  out.write_routed({.target = target,
                    .station = station.name,
                    .backsight = station.backsight,
                    .target_height = target_height,
                    .direction = direction,
                    .vertical_angle = vertical_angle,
                    .slope_distance = slope_distance,
                    .instrument_height = station.instrument_height},
                   where);
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
      write_observation(items, first, station, out, where);
    }
  }
}

}  // namespace korvath::nikon
