// SDR33 field book downloads, one fixed-column record a line: the record type in columns 1-2, its
// derivation code in 3-4, then fields of 16 columns from column 5. Numbers stand left in their
// field, names right, and a field of blanks is absent. The header record (00NM) declares the
// angle and distance units of the whole file; the reader gives angles in grads and lengths in
// metres, and counts by type every record a command passes over.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "flow/command.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/value.hpp"
#include "formats/angle_unit.hpp"

namespace korvath::sokkia {

/// The first column of each field of a record.
inline constexpr long kField1 = 5, kField2 = 21, kField3 = 37, kField4 = 53, kField5 = 69;

/// What a header line declares; `refusal` says why the line is no SDR33 header (empty when it is
/// one).
struct Header {
  AngleUnit angles = AngleUnit::degrees;
  bool feet = false;
  char angle_digit = '1';
  std::string refusal;
};
Header read_header(std::string_view line);

/// Whether the line is part of the transfer's framing, not a record: a lone STX before the
/// records, ETX and a checksum of digits after them.
bool is_framing(std::string_view line);
/// Whether the line starts as a record does: two digits, then two capitals or digits.
bool is_record(std::string_view line);

class SdrRecords {
 public:
  /// Opens the input and reads its header (a file without records has none).
  SdrRecords(Conversion& c, RecordTally& tally);

  /// Moves to the next record, past blank lines and framing; false at the end of the file.
  bool next();
  std::string_view record() const { return record_; }
  /// Whether the record's type (columns 1-2) is `type`.
  bool is(std::string_view type) const { return record_.starts_with(type); }
  Where where() const { return in_.where(); }

  /// The name in the field at `column`, as the outputs write it.
  Value name(long column) const;
  /// The field's text, less blanks.
  std::string_view text(long column) const;
  /// The number in the field at `column` as a length in metres; none when the field is blank.
  std::optional<double> length(long column);
  /// The number in the field at `column` as an angle in grads; none when the field is blank.
  std::optional<double> angle(long column);

  /// Counts the record as passed over, by its type.
  void pass_over();

 private:
  std::optional<double> number(long column) const;

  Conversion& c_;
  RecordTally& tally_;
  LineReader in_;
  std::string_view record_;
  Header header_;
  FeetToMetres to_metres_;
  bool angles_noted_ = false;
  std::array<std::size_t, 100> kinds_{};  // the tally's handle of each type, plus 1 (0: none yet)
  std::size_t not_records_ = 0;           // the same for lines that are no record
};

}  // namespace korvath::sokkia
