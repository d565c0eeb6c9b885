// FOIF job file -> coordinate file: in file order, the station of each A record, the backsight
// point of each B, H and C record and the point of each F and G record, as the instrument
// computed it, north, east and height. DEFAULT, the backsight of a set-up that has none, gives
// no line.
#include "converters/foif/foif.hpp"
#include "converters/foif/records.hpp"
#include "formats/field_book.hpp"

namespace korvath::foif {
namespace {

// The point of field 1 at the coordinates of fields `north` to `north` + 2.
void write_point(CoordinateList& list, const Record& r, std::size_t north) {
  list.write(point_name(r[1]), length(r[north], r.where), length(r[north + 1], r.where),
             length(r[north + 2], r.where), r.where);
}

}  // namespace

void convert_coordinates(Conversion& c) {
  RecordTally tally;
  RecordReader records(c, tally,
                       "1 στάση προσανατολισμένη σε DEFAULT: οι εγγραφές B και C της δεν έχουν "
                       "σημείο και δεν γράφτηκαν",
                       "{} στάσεις προσανατολισμένες σε DEFAULT: οι εγγραφές B και C τους δεν "
                       "έχουν σημείο και δεν γράφτηκαν");
  CoordinateList list(c, tally);
  Record r;
  while (records.next(r)) {
    switch (r.letter) {
      case 'A':
        if (records.holds(r, 4)) write_point(list, r, 2);
        break;
      case 'B':
      case 'H':  // name, dashes, N, E, Z
        if (records.holds(r, 1) && !records.on_default(r) && records.holds(r, 5))
          write_point(list, r, 3);
        break;
      case 'C':  // name, the shot's values, then N, E, Z in fields 8 to 10, as in F and G
        if (records.holds(r, 1) && !records.on_default(r) && records.holds(r, 10))
          write_point(list, r, 8);
        break;
      default:  // F, G
        if (records.holds(r, 10)) write_point(list, r, 8);
    }
  }
  tally.report(c, c.input_name());
}

}  // namespace korvath::foif
