// SDR33 field book -> station and point measurement files. A set-up (02) gives the station and
// the instrument height; a backsight record (07) names the backsight and its circle reading, the
// orientation, whether or not a shot to it follows; a target height record (03) holds for the
// shots after it; each observation (09, face 1, face 2 or mean) is one line, as read.
#include <string>

#include "converters/sokkia/sdr_records.hpp"
#include "converters/sokkia/sokkia.hpp"
#include "flow/text.hpp"
#include "formats/field_book.hpp"

namespace korvath::sokkia {
namespace {

bool is_observation(std::string_view record) {
  const std::string_view code = record.substr(2, 2);
  return code == "F1" || code == "F2" || code == "MC";
}

class Measurements {
 public:
  Measurements(Conversion& c, RecordTally& tally)
      : records_(c, tally),
        book_(c, tally),
        tally_(tally),
        other_station_(tally.kind(
            "1 μέτρηση 09 από άλλη στάση από αυτή της 02 (γράφτηκε στη στάση της 02)",
            "{} μετρήσεις 09 από άλλη στάση από αυτή της 02 (γράφτηκαν στη στάση της 02)")),
        no_reading_(tally.kind("παραλείφθηκε 1 μέτρηση 09 χωρίς οριζόντια ένδειξη",
                               "παραλείφθηκαν {} μετρήσεις 09 χωρίς οριζόντια ένδειξη")),
        other_code_(tally.kind("παραλείφθηκε 1 εγγραφή 09 άλλου είδους (όχι F1, F2, MC)",
                               "παραλείφθηκαν {} εγγραφές 09 άλλου είδους (όχι F1, F2, MC)")),
        no_backsight_(
            tally.kind("παραλείφθηκε 1 εγγραφή 07 χωρίς όνομα ή ένδειξη πίσω σκόπευσης",
                       "παραλείφθηκαν {} εγγραφές 07 χωρίς όνομα ή ένδειξη πίσω σκόπευσης")) {}

  void read_all() {
    while (records_.next()) {
      if (records_.is("09")) {
        observe();
      } else if (records_.is("02")) {
        station_ = records_.text(kField1);
        book_.set_up(records_.name(kField1), records_.length(kField5));
      } else if (records_.is("07")) {
        name_backsight();
      } else if (records_.is("03")) {
        target_height_ = records_.length(kField1);
      } else {
        records_.pass_over();
      }
    }
  }

 private:
  void name_backsight() {
    const auto reading = records_.angle(kField4);
    if (records_.text(kField2).empty() || !reading) {
      tally_.count(no_backsight_, records_.where());
      return;
    }
    book_.name_backsight(records_.name(kField2), *reading);
  }

  void observe() {
    const Where where = records_.where();
    if (!is_observation(records_.record())) {
      tally_.count(other_code_, where);
      return;
    }
    Shot shot{records_.name(kField2), target_height_, records_.angle(kField5),
              records_.angle(kField4), records_.length(kField3)};
    if (!shot.reading) {
      tally_.count(no_reading_, where);
      return;
    }
    if (book_.any_set_up() && records_.text(kField1) != station_ &&
        !same_name(records_.name(kField1), point_name(station_)))
      tally_.count(other_station_, where);
    book_.observe(shot, where);
  }

  SdrRecords records_;
  FieldBook book_;
  RecordTally& tally_;
  const std::size_t other_station_, no_reading_, other_code_, no_backsight_;
  std::string station_;  // the set-up's station as written, to compare the observations' with
  std::optional<double> target_height_;
};

}  // namespace

void convert_sdr33_measurements(Conversion& c) {
  RecordTally tally;
  Measurements(c, tally).read_all();
  tally.report(c, c.input_name());
}

}  // namespace korvath::sokkia
