// SDR33 field book -> coordinate file: every set-up (02) that carries coordinates and every point
// record (08), in file order, with the three coordinates in the order the header declares (north
// and east are not swapped).
#include "converters/sokkia/sdr_records.hpp"
#include "converters/sokkia/sokkia.hpp"
#include "formats/field_book.hpp"

namespace korvath::sokkia {

void convert_sdr33_coordinates(Conversion& c) {
  RecordTally tally;
  SdrRecords records(c, tally);
  CoordinateList list(c, tally);
  const std::size_t bare_station =
      tally.kind("παραλείφθηκε 1 εγγραφή 02 (στάση) χωρίς συντεταγμένες",
                 "παραλείφθηκαν {} εγγραφές 02 (στάση) χωρίς συντεταγμένες");
  while (records.next()) {
    const bool station = records.is("02");
    if (!station && !records.is("08")) {
      records.pass_over();
      continue;
    }
    const auto first = records.length(kField2), second = records.length(kField3),
               third = records.length(kField4);
    if (station && !first && !second && !third) {
      tally.count(bare_station, records.where());
      continue;
    }
    list.write(records.name(kField1), first, second, third, records.where());
  }
  tally.report(c, c.input_name());
}

}  // namespace korvath::sokkia
