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
  while (!in.at_end()) {
    const Value name = in.read_item();
    const Value first = in.read_item();
    const Value second = in.read_item();
    const Value third = in.read_item();
    in.read_item();  // the two further items are read and dropped
    in.read_item();
    out.write_point(name, first, second, third);
  }
}

}  // namespace korvath::pentax
