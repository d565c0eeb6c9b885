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

// The items of a record, read into again and again: no new values a record.
struct Record {
  Value first, slope_distance, target_height, vertical_angle, reading;
};

// A reading as the instrument wrote it: text gives its leading number, or 0 when it has none.
double reading(ItemReader& items, Value& item) {
  items.read_item(item);
  return read_number_of(item, items.where());
}

void read_station(ItemReader& items, Station& station, Value& reading_item) {
  items.read_item(station.name);
  items.read_item(station.backsight);
  station.backsight_direction = reading(items, reading_item);
  items.read_item(station.instrument_height);
}

// Reads the rest of an observation line and writes it.
void write_observation(ItemReader& items, Record& r, const Station& station,
                       MeasurementOutputs& out, Where where) {
  items.read_item(r.slope_distance);
  items.read_item(r.target_height);
  items.read_item(r.vertical_angle);
  const Value direction =
      reduce_to_backsight(reading(items, r.reading), station.backsight_direction);
  out.write_routed({.target = r.first,
                    .station = station.name,
                    .backsight = station.backsight,
                    .target_height = r.target_height,
                    .direction = direction,
                    .vertical_angle = r.vertical_angle,
                    .slope_distance = r.slope_distance,
                    .instrument_height = station.instrument_height},
                   where);
}

}  // namespace

void convert_npl352_dos(Conversion& c) {
  MeasurementOutputs out(c);  // both files are open and empty since their own dialogs
  ItemReader items = c.read_input_items();
  Station station;
  Record record;
  while (!items.at_end()) {
    items.read_item(record.first);
    const Where where = items.where();
    if (equals_text(record.first, "*")) {
      read_station(items, station, record.reading);
    } else {
      write_observation(items, record, station, out, where);
    }
  }
}

}  // namespace korvath::nikon
