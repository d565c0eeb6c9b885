// Leica TCR 407 IDX exchange file -> coordinate file: the records of the POINTS table (number,
// identifier, east, north, elevation, code, date, class) as name and three coordinates. The
// table ends at the heading of the next table of the point database, whose second item is
// "PointID".
#include <string>

#include "converters/leica/leica.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/text.hpp"
#include "formats/angle_unit.hpp"
#include "formats/coordinate_file.hpp"

namespace korvath::leica {
namespace {

constexpr std::size_t kPointItems = 8;

// The table heading is indented by exactly one tab: "\tPOINTS(PointNo, PointID, ...".
bool is_points_heading(std::string_view line) {
  return field(trim(line), 2, 6) == "POINTS";
}

// A coordinate the instrument left empty, or wrote as zero or as a word, is the number 0.
Value coordinate(const Value& item, const Where& where) {
  if (read_number_of(item, where) == 0) return 0.0;
  return item;
}

}  // namespace

void convert_tcr407_coords(Conversion& c) {
  ItemReader in = c.read_input_items();
  CoordinateFile out(c);
  bool in_table = false;
  while (!in_table && !in.at_end()) {
    const std::string_view line = in.read_line();
    // Coordinates are written in the unit of the header ("LINEAR  METRE"), never converted.
    if (const auto word = declared_word(line, "LINEAR"))
      declare_distance_unit(c, in.where(), *word, kLeicaMetres);
    in_table = is_points_heading(line);
  }
  if (!in_table) return;
  // Identifier, east, north, elevation; number, code, date and class are read past.
  Value name, east, north, elevation;
  for (;;) {
    in.skip_item();
    in.read_item(name);
    in.read_item(east);
    in.read_item(north);
    in.read_item(elevation);
    for (std::size_t i = 5; i < kPointItems; ++i) in.skip_item();
    if (equals_text(name, "PointID")) return;
    const Where where = in.where();
    out.write_point(name, coordinate(east, where), coordinate(north, where),
                    coordinate(elevation, where));
  }
}

}  // namespace korvath::leica
