// Nikon NPL 352 DOS format: a stream of comma-separated items, five to a record. A record whose
// first item is "*" sets up a station (name, backsight, backsight direction, instrument height);
// any other record observes a target (name, slope distance, target height, vertical angle,
// horizontal reading). One record a line: a record short of its last items reads them empty.
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
  items.read_field(item);
  return read_number_of(item, items.where());
}

void read_station(ItemReader& items, Setup& setup, Value& reading_item) {
  items.read_field(setup.station);
  items.read_field(setup.backsight);
  setup.backsight_direction = reading(items, reading_item);
  items.read_field(setup.instrument_height);
}

// The rest of an observation record after its target.
void read_shot(ItemReader& items, Shot& shot) {
  items.read_field(shot.slope_distance);
  items.read_field(shot.target_height);
  items.read_field(shot.vertical_angle);
  shot.reading = reading(items, shot.reading_item);
}

}  // namespace

void convert_npl352_dos(Conversion& c) {
  MeasurementOutputs out(c);  // both files are open and empty since their own dialogs
  ItemReader items = c.read_input_items();
  Setup setup;
  Shot shot;
  RecordTally tally;
  SetupTally setups(tally);
  while (!items.at_end()) {
    items.read_item(shot.target);  // or "*" for a station record
    shot.where = items.where();
    if (is_empty(shot.target) && items.line_ended()) continue;  // a blank line is no record
    if (equals_text(shot.target, "*")) {
      read_station(items, setup, shot.reading_item);
      setups.set_up(setup.station, shot.where);
    } else {
      read_shot(items, shot);
      setups.observe(shot.where);
      write_shot(shot, setup, out);
    }
    items.skip_rest_of_line();
    tally.count_if_short(items, shot.where);
  }
  setups.close(c);
  tally.report(c, c.input_name());
}

}  // namespace korvath::nikon
