// Geodimeter job and area files to a coordinate file: every block with a north (37=) or an east
// (38=) coordinate, in file order, named by its station, point or reference object, its values
// in the order N, E, elevation (39=) whatever order the block gives them in.
#include <optional>
#include <string_view>

#include "converters/geodimeter/geodimeter.hpp"
#include "converters/geodimeter/labels.hpp"
#include "converters/geodimeter/units.hpp"
#include "flow/conversion.hpp"
#include "flow/text.hpp"
#include "formats/field_book.hpp"

namespace korvath::geodimeter {
namespace {

constexpr std::uint64_t kKept =
    std::uint64_t{1} << kNorth | std::uint64_t{1} << kEast | std::uint64_t{1} << kElevation;

// A coordinate the block does not give, or gives dashed out, is none.
std::optional<double> coordinate(const Block& b, int label, std::string_view file) {
  if (!b.has(label)) return std::nullopt;
  const std::string_view value = trim_blanks_and_tabs(b.value(label));
  if (value.find_first_not_of('-') == std::string_view::npos) return std::nullopt;
  return number_at(value, b.where(file, label));
}

}  // namespace

void convert_coordinates(Conversion& c) {
  RecordTally tally;
  PassedOver passed(tally);
  Units units(c, false);
  LineReader in = c.read_input_lines();
  BlockReader blocks(in, kKept, passed, units);
  CoordinateList list(c, tally);
  const std::string_view file = c.input_name();
  Block b;
  while (blocks.next(b)) {
    if (b.kind() != 0 && (b.has(kNorth) || b.has(kEast))) {
      list.write(point_name(b.name()), coordinate(b, kNorth, file), coordinate(b, kEast, file),
                 coordinate(b, kElevation, file), Where{file, b.name_line()});
      continue;
    }
    // A block with no name (the labels before the first one) has no point to write either.
    if (b.kind() != 0) passed.count(b.kind(), b.name_line(), Why::no_coordinates);
    for (const int label : {kNorth, kEast, kElevation})
      if (b.has(label)) passed.count(label, b.line(label));
  }
  tally.report(c, c.input_name());
}

}  // namespace korvath::geodimeter
