// What a conversion passed over, or wrote empty for a reason, counted by kind: every record of a
// download is written, used for a set-up or counted here, so nothing goes missing without a word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "flow/conversion_error.hpp"
#include "flow/readers.hpp"

namespace korvath {

class Conversion;

/// The two texts of a kind of note (RecordTally::kind).
struct NoteTexts {
  std::string_view one, many;
};
/// Observations read before any set-up: written with no station.
inline constexpr NoteTexts kBeforeSetUp{
    "1 μέτρηση πριν από την πρώτη στάση (γράφτηκε χωρίς στάση)",
    "{} μετρήσεις πριν από την πρώτη στάση (γράφτηκαν χωρίς στάση)"};

class RecordTally {
 public:
  /// A kind of record, in the singular and the plural of the note it gives, "{}" standing for the
  /// count: {"παραλείφθηκε 1 λέξη 71", "παραλείφθηκαν {} λέξεις 71"}. Returns its handle; a kind
  /// named twice is the same kind. "{lines}" stands for the lines of the first records counted.
  std::size_t kind(std::string_view one, std::string_view many);
  /// The same for a kind of record the conversion passed over (neither wrote nor used): the
  /// account of the whole file closes the notes when one was counted. Past kMostKinds kinds,
  /// a new kind is counted as one of "other kinds".
  std::size_t passed_over(std::string_view one, std::string_view many);
  /// `records` more records of kind `kind`, the first at `where`; the first one's line is the
  /// note's line.
  void count(std::size_t kind, const Where& where, std::uint64_t records = 1) {
    Kind& k = kinds_[kind];
    if (k.count == 0) k.first = where.line;
    k.count += records;
    if (k.lists && k.lines.size() <= kListed) k.lines.push_back(where.line);
  }
  void count(std::string_view one, std::string_view many, const Where& where,
             std::uint64_t records = 1) {
    count(kind(one, many), where, records);
  }
  /// Counts the record that begins at `where` as short when its line lacked fields
  /// (ItemReader::read_field gave them empty): one note lists the lines of such records.
  void count_if_short(ItemReader& rows, const Where& where) {
    if (rows.take_missing() > 0)
      count(kind("1 εγγραφή με λιγότερα πεδία: γραμμή {lines}",
                 "{} εγγραφές με λιγότερα πεδία: γραμμές {lines}"),
            where);
  }
  /// One more record used to set up a station, for the account of the file.
  void set_up() { ++set_ups_; }
  /// How many records of the kind were counted.
  std::uint64_t total(std::size_t kind) const { return kinds_[kind].count; }
  /// Gives the conversion one note per kind counted, in the order of their first lines; then,
  /// when records were passed over, the account of the file: records read, written (the lines
  /// of the outputs), used for set-ups and passed over.
  void report(Conversion& c, std::string_view file) const;

 private:
  static constexpr std::size_t kListed = 10;    // lines named in a note, before "…"
  static constexpr std::size_t kMostKinds = 8;  // kinds passed over that have a note each
  struct Kind {
    std::string one, many;
    bool passed = false, lists = false;
    std::uint64_t count = 0, first = 0;
    std::vector<std::uint64_t> lines;
  };
  std::size_t add(std::string_view one, std::string_view many, bool passed);
  std::vector<Kind> kinds_;
  std::uint64_t set_ups_ = 0;
};

}  // namespace korvath
