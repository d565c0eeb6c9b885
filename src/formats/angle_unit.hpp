// Angles in the unit a file declares. The measurement files take grads; a download that declares
// degrees, degrees-minutes-seconds or mils has its horizontal readings and vertical angles
// converted, while one in grads, or with no declaration, passes them exactly as read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "flow/value.hpp"

namespace korvath {

class Conversion;

enum class AngleUnit { grads, degrees, dms, mils, unknown };

/// How one maker writes each unit; an empty word is a unit the maker does not have.
struct UnitWords {
  std::string_view grads, degrees, dms, mils;
};
inline constexpr UnitWords kLeicaUnitWords{"GON", "DEG", "DMS", "MIL"};
inline constexpr std::string_view kLeicaMetres = "METRE";
inline constexpr UnitWords kNikonUnitWords{"Gons", "Degrees", "DDDMMSS", "Mils"};
inline constexpr UnitWords kTopconUnitWords{"G", {}, "D", {}};

/// The unit a word names, compared exactly (case counts); any other word is unknown.
AngleUnit angle_unit(std::string_view word, const UnitWords& words);

/// The word of a declaration: when the line, trimmed of blanks and freed of tabs, begins with
/// `key`, the rest of it trimmed of blanks; otherwise nothing.
std::optional<std::string> declared_word(std::string_view line, std::string_view key);

/// What the user is told of angles in `unit`, declared as `declared`, that were converted.
std::string angle_unit_note(std::string_view declared, AngleUnit unit);

/// Converts an angle in `unit` to grads, in place. Grads and an unknown unit leave the value as
/// read, and so does an empty value. Otherwise the value becomes a number:
/// - degrees x 400 / 360; mils x 400 / 6400;
/// - DMS, DDD.MMSSs as the value's bare-number text shows it (87.46350 is 87.4635): degrees
///   before the point, two digits of minutes, then seconds read as one number SS.sss, missing
///   digits 0; (degrees + minutes / 60 + seconds / 3600) x 400 / 360, the sign on the whole.
/// Throws Fault::not_a_number at `where` for text that does not read as a number in full, and
/// Fault::not_an_angle for minutes or seconds of 60 or more.
void convert_to_grads(Value& v, AngleUnit unit, const Where& where);

/// An angle in `unit` in grads, as convert_to_grads converts a value; grads and an unknown unit
/// give it back as read.
double angle_in_grads(double value, AngleUnit unit, const Where& where);

/// Degrees, minutes and seconds in grads: (degrees + minutes / 60 + seconds / 3600) x 400 / 360,
/// in this order, as every DMS angle is converted. Throws Fault::not_an_angle at `where`, quoting
/// `as_read`, for minutes or seconds of 60 or more.
double dms_in_grads(double degrees, double minutes, double seconds, const Where& where,
                    std::string_view as_read);

/// Tells the user once per unit that angles in it were converted to grads, at the first record
/// in that unit: for files whose records each name their own unit.
class AngleUnitNotes {
 public:
  /// An angle in `unit`, which the file calls `word`, read at `where`.
  void seen(Conversion& c, AngleUnit unit, std::string_view word, const Where& where) {
    const auto i = static_cast<std::size_t>(unit);
    if (noted_[i] || unit == AngleUnit::grads || unit == AngleUnit::unknown) return;
    noted_[i] = true;
    note(c, unit, word, where);
  }

 private:
  static void note(Conversion& c, AngleUnit unit, std::string_view word, const Where& where);
  bool noted_[5] = {};
};
/// DDD.MMSS text in grads, straight from its digits: the very number angle_in_grads gives for
/// the number the text reads as, without a string a value. For "[sign]digits[.digits]" of at
/// most 15 digits whose minutes and seconds are below 60; none for any other text (read it as a
/// number and convert that, which faults where it must).
std::optional<double> dms_text_in_grads(std::string_view text);

/// Lengths the file gives in feet, to metres (x 0.3048 exactly); the user is told once, at the
/// first length converted.
class FeetToMetres {
 public:
  explicit FeetToMetres(Conversion& c) : c_(c) {}
  double operator()(double feet, const Where& where);

 private:
  Conversion& c_;
  bool noted_ = false;
};

/// The angle units a file declares, each in force from a line of the scratch file on: the first
/// pass declares them as it meets them, the last pass asks which one governs a record.
class DeclaredUnits {
 public:
  /// An angle unit `word` declared at `where` in the input, in force from scratch line `from` on
  /// (the lines written so far plus 1). Tells the user which unit is converted from, or that an
  /// unknown word leaves the values as read.
  void declare(Conversion& c, const Where& where, std::string_view word, const UnitWords& words,
               std::uint64_t from);
  /// The unit in force at a scratch line: grads before any declaration.
  AngleUnit at(std::uint64_t scratch_line) const;

 private:
  struct Declared {
    std::uint64_t from;
    AngleUnit unit;
  };
  std::vector<Declared> declared_;
};

/// A distance unit declared at `where`: any word but `metres` (or none) is not converted, and
/// the user is told that distances are written as read.
void declare_distance_unit(Conversion& c, const Where& where, std::string_view word,
                           std::string_view metres);

}  // namespace korvath
