// Leica GSI-8 / GSI-16 -> coordinate file: every line with target coordinates (81-83, those the
// instrument computed on an observation line too) and every set-up with station coordinates
// (84-86) gives a line, in file order: the name of word 11, then east, north and height. A
// coordinate dashed out or missing is written empty; the coordinate list counts it.
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

constexpr WordSet kStation{84, 85, 86}, kTarget{81, 82, 83};

class GsiCoordinates {
 public:
  explicit GsiCoordinates(Conversion& c)
      : list_(c, tally_),
        units_(c),
        passed_(tally_),
        damaged_(tally_.kind(kDamagedLine, kDamagedLines)),
        without_(tally_.kind("παραλείφθηκε 1 γραμμή χωρίς συντεταγμένες",
                             "παραλείφθηκαν {} γραμμές χωρίς συντεταγμένες")) {}

  void read(std::string_view line, const Where& where) {
    if (!words_.read(line)) {
      tally_.count(damaged_, where);
      return;
    }
    WordSet used{11};
    if (words_.record(where) == GsiRecord::set_up && words_.present().any_of(kStation)) {
      write(84, where);
      used = WordSet{11, 84, 85, 86};
    }
    if (words_.present().any_of(kTarget)) {
      write(81, where);
      for (const int wi : {81, 82, 83}) used.add(wi);
    }
    if (used.has(81) || used.has(84)) {
      passed_.count(words_, used, where);
    } else {
      tally_.count(without_, where);
    }
  }

  void report(Conversion& c) const { tally_.report(c, c.input_name()); }

 private:
  // East, north and height from the words `first`, `first` + 1 and `first` + 2.
  void write(int first, const Where& where) {
    list_.write(words_.name(11), coordinate(first, where), coordinate(first + 1, where),
                coordinate(first + 2, where), where);
  }
  std::optional<double> coordinate(int wi, const Where& where) {
    if (!words_.has(wi) || words_.word(wi).dashed()) return std::nullopt;
    return units_.word_length(words_.word(wi), where);
  }

  RecordTally tally_;
  CoordinateList list_;
  GsiUnits units_;
  GsiLine words_;
  PassedWords passed_;
  std::size_t damaged_, without_;
};

}  // namespace

void convert_gsi_coordinates(Conversion& c) {
  LineReader in = c.read_input_lines();
  GsiCoordinates gsi(c);
  while (!in.at_end()) {
    const std::string_view line = in.read_line();
    if (!is_blank_line(line)) gsi.read(line, in.where());
  }
  gsi.report(c);
}

}  // namespace korvath::leica
