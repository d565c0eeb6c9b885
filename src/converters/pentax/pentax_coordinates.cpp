// Pentax coordinate download: comma-separated records of six items (name, three coordinates,
// two further items), one a line: a record short of its last items reads them empty.
#include "converters/pentax/pentax.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "formats/coordinate_file.hpp"

namespace korvath::pentax {

void convert_coordinates(Conversion& c) {
  ItemReader in = c.read_input_items();
  CoordinateFile out(c);
  // Kept from record to record: a name read into the same value reuses its string.
  Value name, first, second, third;
  RecordTally tally;
  while (!in.at_end()) {
    in.read_item(name);
    const Where where = in.where();
    if (is_empty(name) && in.line_ended()) continue;  // a blank line is no record
    in.read_field(first);
    in.read_field(second);
    in.read_field(third);
    in.skip_field();  // the two further items are read and dropped
    in.skip_field();
    in.skip_rest_of_line();
    tally.count_if_short(in, where);
    out.write_point(name, first, second, third);
  }
  tally.report(c, c.input_name());
}

}  // namespace korvath::pentax
