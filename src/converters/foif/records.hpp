// A FOIF job file read record by record. Every line is one letter, a comma and the record's
// fields, each closed by its comma, padded with blanks to 126 characters:
//   A set-up, B and H backsight point, C shot to the backsight, F and G observations;
//   D orientation result, E orientation adjustment, U code of the next shot: passed over.
// The job header (a line that begins with a blank) is passed over as well; both are counted.
// Angles are whole half arc-seconds (2592000 to the circle), lengths and coordinates metres.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"

namespace korvath::foif {

/// The line without the blanks that pad it to 126 characters.
inline std::string_view without_padding(std::string_view line) {
  std::size_t last = line.size();
  while (last > 0 && line[last - 1] == ' ') --last;
  return line.substr(0, last);
}

/// The most fields a record is cut into: the commands read no further than field 10.
inline constexpr std::size_t kFields = 12;

struct Record {
  char letter = 0;
  /// Field i of the record (the letter is field 0), trimmed of blanks; fields beyond the last
  /// comma of the line are empty.
  std::array<std::string_view, kFields> fields{};
  /// How many fields the line holds closed by their comma, the letter's included; a line cut
  /// short ends in a piece that no comma closes, which is not counted.
  std::size_t closed = 0;
  Where where;

  std::string_view operator[](std::size_t i) const { return fields[i]; }
  /// Whether the set-up has no backsight point: the name the instrument gives it.
  bool names_default() const { return fields[1] == "DEFAULT"; }
};

class RecordReader {
 public:
  /// `on_default`: the note, singular and plural, of the set-ups oriented on DEFAULT.
  RecordReader(const Conversion& c, RecordTally& tally, std::string_view on_default_one,
               std::string_view on_default_many);

  /// The next record of the letters A, B, C, F, G or H; false at the end of the file. The header
  /// and the records D, E and U are counted by their kind, and so is any other line; blank lines
  /// are dropped.
  bool next(Record& r);

  /// Whether the record holds its fields 1 to `last`, each closed by its comma. A record cut
  /// short as the last line of the file (a download that stopped) is counted and passed over;
  /// one with records after it stops the conversion (Fault::line_too_short).
  bool holds(const Record& r, std::size_t last);

  /// Whether a B, H or C record orients the set-up on DEFAULT, counting the set-up once.
  bool on_default(const Record& r);

 private:
  // Counts a line that is no record the commands use; its kind by its first characters.
  void pass_over(std::string_view line, const Where& where);

  LineReader lines_;
  RecordTally& tally_;
  std::size_t header_, orientation_result_, orientation_adjustment_, code_, other_lines_,
      cut_short_, on_default_;
  bool set_up_on_default_ = false;
  std::string_view last_line_;  // the text of the record read last, until the next read
};

/// The angle of a field in grads: half arc-seconds / 6480. None when the field is empty or
/// dashed out. Throws Fault::not_a_number for other text and Fault::out_of_circle for a
/// reading outside 0 to 2592000 (a firmware that writes another unit).
std::optional<double> angle(std::string_view field, const Where& where);
/// The length or coordinate of a field in metres; none when it is empty or dashed out. Throws
/// Fault::not_a_number for other text.
std::optional<double> length(std::string_view field, const Where& where);

}  // namespace korvath::foif
