// Leica TCR 407 IDX exchange file -> coordinate file: the records of the POINTS table (number,
// identifier, east, north, elevation, code, date, class) as name and three coordinates. The
// table ends at the heading of the next table of the point database, whose second item is
// "PointID".
#include <string>

#include "converters/leica/leica.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
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
  // Identifier, east, north, elevation; number, code, date and class are read past. One record
  // a line: a record short of its last items reads them empty.
  RecordTally tally;
  const std::size_t zeros = tally.kind("1 σημείο χωρίς συντεταγμένες (γράφτηκε με 0, 0, 0)",
                                       "{} σημεία χωρίς συντεταγμένες (γράφτηκαν με 0, 0, 0)");
  Value number, name, east, north, elevation;
  for (;;) {
    // The table runs to the heading of the next one: a file that ends before it was cut off.
    in.read_item(number);
    const Where where = in.where();
    if (is_empty(number) && in.line_ended()) continue;  // a blank line is no record
    // "END POINTS" closes the table where no heading of a next one follows.
    if (in.line_ended() && plain_text(number).starts_with("END ")) break;
    in.read_field(name);
    in.read_field(east);
    in.read_field(north);
    in.read_field(elevation);
    for (std::size_t i = 5; i < kPointItems; ++i) in.skip_field();
    in.skip_rest_of_line();
    if (equals_text(name, "PointID")) break;
    tally.count_if_short(in, where);
    const Value first = coordinate(east, where), second = coordinate(north, where),
                third = coordinate(elevation, where);
    if (read_number_of(east, where) == 0 && read_number_of(north, where) == 0 &&
        read_number_of(elevation, where) == 0)
      tally.count(zeros, where);
    out.write_point(name, first, second, third);
  }
  tally.report(c, c.input_name());
}

}  // namespace korvath::leica
