// Nikon NPL 352 DOS format: a stream of comma-separated items, five to a record. A record whose
// first item is "*" sets up a station (name, backsight, backsight direction, instrument height);
// any other record observes a target (name, slope distance, target height, vertical angle,
// horizontal reading). Line ends separate items like commas, so a record may span lines.
#include "converters/nikon/nikon.hpp"
#include "converters/nikon/shots.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/text.hpp"
#include "formats/measurement_files.hpp"

namespace korvath::nikon {
namespace {

// A reading as the instrument wrote it: text gives its leading number, or 0 when it has none.
double reading(ItemReader& items, Value& item) {
  items.read_item(item);
  return read_number_of(item, items.where());
}

void read_station(ItemReader& items, Setup& setup, Value& reading_item) {
  items.read_item(setup.station);
  items.read_item(setup.backsight);
  setup.backsight_direction = reading(items, reading_item);
  items.read_item(setup.instrument_height);
}

// The rest of an observation record after its target.
void read_shot(ItemReader& items, Shot& shot) {
  items.read_item(shot.slope_distance);
  items.read_item(shot.target_height);
  items.read_item(shot.vertical_angle);
  shot.reading = reading(items, shot.reading_item);
}

}  // namespace

void convert_npl352_dos(Conversion& c) {
  MeasurementOutputs out(c);  // both files are open and empty since their own dialogs
  ItemReader items = c.read_input_items();
  Setup setup;
  Shot shot;
  while (!items.at_end()) {
    items.read_item(shot.target);  // or "*" for a station record
    shot.where = items.where();
    if (equals_text(shot.target, "*")) {
      read_station(items, setup, shot.reading_item);
    } else {
      read_shot(items, shot);
      write_shot(shot, setup, out);
    }
  }
}

}  // namespace korvath::nikon
