// Leica GSI-8 / GSI-16 -> station and point measurement files. Each line is read by the words it
// holds, in file order: a set-up (station words 84-86 or an instrument height 88 without a
// reading, or a code block 41 = 2 or 21 with the station in 42 and the height in 43), an
// observation (a horizontal reading 21), or a line the measurement files have no place for,
// counted. The field book takes the first shot after a set-up as its backsight.
#include "converters/leica/gsi_units.hpp"
#include "converters/leica/gsi_words.hpp"
#include "converters/leica/leica.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/signature.hpp"
#include "formats/field_book.hpp"

namespace korvath::leica {
namespace {

// The words each kind of line writes; its other words are counted.
constexpr WordSet kObservationWords{11, 21, 22, 31, 87, 88};
constexpr WordSet kSetUpWords{11, 84, 85, 86, 88};
constexpr WordSet kCodeSetUpWords{41, 42, 43};

class GsiMeasurements {
 public:
  explicit GsiMeasurements(Conversion& c)
      : book_(c, tally_),
        units_(c),
        passed_(tally_),
        damaged_(tally_.kind(kDamagedLine, kDamagedLines)),
        dashed_(tally_.kind("1 τιμή με παύλες (γράφτηκε κενή)",
                            "{} τιμές με παύλες (γράφτηκαν κενές)")),
        code_blocks_(tally_.kind("παραλείφθηκε 1 μπλοκ κωδικού (41) που δεν είναι στάση",
                                 "παραλείφθηκαν {} μπλοκ κωδικών (41) που δεν είναι στάσεις")),
        coordinates_(tally_.kind("παραλείφθηκε 1 γραμμή μόνο με συντεταγμένες (81-83)",
                                 "παραλείφθηκαν {} γραμμές μόνο με συντεταγμένες (81-83)")),
        others_(tally_.kind("παραλείφθηκε 1 γραμμή χωρίς μέτρηση, στάση ή συντεταγμένες",
                            "παραλείφθηκαν {} γραμμές χωρίς μέτρηση, στάση ή συντεταγμένες")) {}

  void read(std::string_view line, const Where& where) {
    if (!words_.read(line)) {
      tally_.count(damaged_, where);
      return;
    }
    switch (words_.record(where)) {
      case GsiRecord::observation:
        // An instrument height on the line holds from this shot on.
        if (words_.has(88)) book_.set_instrument_height(length(88, where));
        book_.observe({words_.name(11), length(87, where), angle(21, where), angle(22, where),
                       length(31, where)},
                      where);
        passed_.count(words_, kObservationWords, where);
        return;
      case GsiRecord::set_up:
        book_.set_up(words_.name(11), length(88, where));
        passed_.count(words_, kSetUpWords, where);
        return;
      case GsiRecord::code_set_up:
        book_.set_up(words_.name(42), length(43, where));
        passed_.count(words_, kCodeSetUpWords, where);
        return;
      case GsiRecord::code_block:
        tally_.count(code_blocks_, where);
        return;
      case GsiRecord::coordinates:
        tally_.count(coordinates_, where);
        return;
      case GsiRecord::other:
        tally_.count(others_, where);
        return;
    }
  }

  void report(Conversion& c) const { tally_.report(c, c.input_name()); }

 private:
  // A value the line does not give, or gives dashed out, is none.
  bool given(int wi, const Where& where) {
    if (!words_.has(wi)) return false;
    if (!words_.word(wi).dashed()) return true;
    tally_.count(dashed_, where);
    return false;
  }
  std::optional<double> angle(int wi, const Where& where) {
    if (!given(wi, where)) return std::nullopt;
    return units_.word_angle(words_.word(wi), where);
  }
  std::optional<double> length(int wi, const Where& where) {
    if (!given(wi, where)) return std::nullopt;
    return units_.word_length(words_.word(wi), where);
  }

  RecordTally tally_;
  FieldBook book_;
  GsiUnits units_;
  GsiLine words_;
  PassedWords passed_;
  std::size_t damaged_, dashed_, code_blocks_, coordinates_, others_;
};

}  // namespace

void convert_gsi(Conversion& c) {
  LineReader in = c.read_input_lines();
  GsiMeasurements gsi(c);
  while (!in.at_end()) {
    const std::string_view line = in.read_line();
    if (!is_blank_line(line)) gsi.read(line, in.where());
  }
  gsi.report(c);
}

}  // namespace korvath::leica
