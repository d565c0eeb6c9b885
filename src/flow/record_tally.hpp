// What a conversion passed over, or wrote empty for a reason, counted by kind: every record of a
// download is written, used for a set-up or counted here, so nothing goes missing without a word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "flow/conversion_error.hpp"

namespace korvath {

class Conversion;

class RecordTally {
 public:
  /// A kind of record, in the singular and the plural of the note it gives, "{}" standing for the
  /// count: {"παραλείφθηκε 1 λέξη 71", "παραλείφθηκαν {} λέξεις 71"}. Returns its handle; a kind
  /// named twice is the same kind.
  std::size_t kind(std::string_view one, std::string_view many);
  /// One more record of kind `kind` at `where`; the first one's line is the note's line.
  void count(std::size_t kind, const Where& where) {
    Kind& k = kinds_[kind];
    if (k.count++ == 0) k.first = where.line;
  }
  void count(std::string_view one, std::string_view many, const Where& where) {
    count(kind(one, many), where);
  }
  /// How many records of the kind were counted.
  std::uint64_t total(std::size_t kind) const { return kinds_[kind].count; }
  /// Gives the conversion one note per kind counted, in the order of their first lines.
  void report(Conversion& c, std::string_view file) const;

 private:
  struct Kind {
    std::string one, many;
    std::uint64_t count = 0, first = 0;
  };
  std::vector<Kind> kinds_;
};

}  // namespace korvath
