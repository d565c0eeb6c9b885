// Pentax coordinate download: comma-separated records of six items (name, three coordinates,
// two further items). Records are read by item count, so line ends separate like commas.
#include "converters/pentax/pentax.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "formats/coordinate_file.hpp"

namespace korvath::pentax {

void convert_coordinates(Conversion& c) {
  ItemReader in = c.read_input_items();
  CoordinateFile out(c);
  // Kept from record to record: a name read into the same value reuses its string.
  Value name, first, second, third;
  while (!in.at_end()) {
    in.read_item(name);
    in.read_item(first);
    in.read_item(second);
    in.read_item(third);
    in.skip_item();  // the two further items are read and dropped
    in.skip_item();
    out.write_point(name, first, second, third);
  }
}

}  // namespace korvath::pentax
