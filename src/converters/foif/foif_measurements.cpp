// FOIF job file -> station and point measurement files. Each A record sets up a station; the C
// record after it is the shot to the backsight, whose reading orients the set-up; F and G
// records are the observations. A set-up oriented on DEFAULT has no backsight point: its
// readings are written as read, and its B and C records write nothing.
#include "converters/foif/foif.hpp"
#include "converters/foif/records.hpp"
#include "formats/field_book.hpp"

namespace korvath::foif {
namespace {

// Target, horizontal reading, vertical angle, slope distance and target height of a C, F or G
// record: fields 1, 2, 3, 5 and 7.
Shot shot_of(const Record& r) {
  return {.target = point_name(r[1]),
          .target_height = length(r[7], r.where),
          .reading = angle(r[2], r.where),
          .vertical_angle = angle(r[3], r.where),
          .slope_distance = length(r[5], r.where)};
}

}  // namespace

void convert_measurements(Conversion& c) {
  RecordTally tally;
  RecordReader records(
      c, tally,
      "1 στάση προσανατολισμένη σε DEFAULT: χωρίς σημείο προσανατολισμού, οι διευθύνσεις της "
      "γράφτηκαν όπως διαβάστηκαν",
      "{} στάσεις προσανατολισμένες σε DEFAULT: χωρίς σημείο προσανατολισμού, οι διευθύνσεις "
      "τους γράφτηκαν όπως διαβάστηκαν");
  FieldBook book(c, tally);
  Record r;
  while (records.next(r)) {
    switch (r.letter) {
      case 'A':  // station, N, E, Z, instrument height
        if (records.holds(r, 5)) book.set_up(point_name(r[1]), length(r[5], r.where));
        break;
      case 'B':
      case 'H':  // the backsight point; its C gives the reading
        if (records.holds(r, 1) && records.on_default(r)) book.name_backsight(text(""), 0);
        break;
      case 'C':
        if (!records.holds(r, 1)) break;
        if (records.on_default(r)) {
          book.name_backsight(text(""), 0);
        } else if (records.holds(r, 7)) {
          const Shot backsight = shot_of(r);
          if (backsight.reading) book.name_backsight(backsight.target, *backsight.reading);
          book.observe(backsight, r.where);
        }
        break;
      default:  // F, G
        if (records.holds(r, 7)) book.observe(shot_of(r), r.where);
    }
  }
  tally.report(c, c.input_name());
}

}  // namespace korvath::foif
