// The unit of a GSI word: its sixth column says in which unit the word's digits are written. A
// TC 600 set to degrees or to feet writes its words so, and read as grads and millimetres they
// would give plausible observations with every angle wrong.
#pragma once

#include <bitset>
#include <string_view>

#include "converters/leica/gsi_words.hpp"
#include "flow/conversion_error.hpp"
#include "flow/text.hpp"
#include "flow/value.hpp"
#include "formats/angle_unit.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::leica {

/// The `length` columns from `start` (counted from 1) over `divisor`; they must read as a
/// number in full.
inline double scaled(std::string_view line, long start, long length, double divisor,
                     const Where& where) {
  return as_number(text(field(line, start, length, where)), where) / divisor;
}

/// The unit column of the GSI word whose digits begin at column `digits` (counted from 1); the
/// sign stands between the two. A blank when the line is too short to have one.
inline char gsi_unit(std::string_view line, long digits) {
  const auto at = static_cast<std::size_t>(digits - 3);
  return at < line.size() ? line[at] : ' ';
}

/// Whether an angle in this unit is converted to grads: degrees (3), degrees, minutes and
/// seconds (4) or mils (5).
inline bool is_converted_angle_unit(char unit) {
  return unit >= '3' && unit <= '5';
}

/// Reads the angles and distances of a line's GSI words by the unit each word gives, and tells
/// the user, once for each unit, of every unit that is not grads or metres.
class GsiUnits {
 public:
  explicit GsiUnits(Conversion& c) : c_(c), feet_(c) {}

  /// A word's angle in grads by its unit digit, from all its data digits: 2 grads, 3 decimal
  /// degrees, 4 DDD.MMSSs (data / 100000, the last digit tenths of a second), 5 mils (data /
  /// 10000). Throws Fault::unknown_unit at `where` for any other digit.
  double word_angle(const GsiWord& word, const Where& where);
  /// A word's length in metres by its unit digit: 0 and "." millimetres, 6 tenths and 8
  /// hundredths of a millimetre; 1 and 7 thousandths and ten-thousandths of a foot, converted to
  /// metres (the user is told once). Throws Fault::unknown_unit at `where` for any other digit.
  double word_length(const GsiWord& word, const Where& where);

  /// The angle whose eight digits begin at column `digits`, in grads. In grads, and in a unit
  /// GSI does not name for angles, its first seven digits / 10000 (the eighth, a hundredth of a
  /// milligrad, dropped); in degrees (unit 3, DDD.DDDDD), degrees, minutes and seconds (4,
  /// DDD.MMSSs) or mils (5, DDDD.DDDD) all eight digits, converted to grads.
  /// Inline for grads, the unit of nearly every file.
  double angle(std::string_view line, long digits, const Where& where) {
    const char unit = gsi_unit(line, digits);
    if (!is_converted_angle_unit(unit)) return scaled(line, digits, 7, 10000, where);
    return converted_angle(line, digits, unit, where);
  }
  /// The distance in the `length` columns from column `digits`: millimetres (unit 0, and any
  /// unit GSI does not name for distances), tenths (6) or hundredths of a millimetre (8), in
  /// metres; thousandths (1) or ten-thousandths of a foot (7), in feet, as read.
  /// Inline for millimetres, the unit of nearly every file.
  double distance(std::string_view line, long digits, long length, const Where& where) {
    const char unit = gsi_unit(line, digits);
    if (unit != '1' && unit != '6' && unit != '7' && unit != '8')
      return scaled(line, digits, length, 1000, where);
    return scaled_distance(line, digits, length, unit, where);
  }

 private:
  double converted_angle(std::string_view line, long digits, char unit, const Where& where);
  double scaled_distance(std::string_view line, long digits, long length, char unit,
                         const Where& where);
  bool first_time(char unit);

  Conversion& c_;
  FeetToMetres feet_;
  std::bitset<10> noted_;
};

}  // namespace korvath::leica
