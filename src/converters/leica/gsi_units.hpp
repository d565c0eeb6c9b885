// The unit of a GSI word: its sixth column says in which unit the word's digits are written. A
// TC 600 set to degrees or to feet writes its words so, and read as grads and millimetres they
// would give plausible observations with every angle wrong.
#pragma once

#include <bitset>
#include <string_view>

#include "flow/conversion_error.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::leica {

/// The `length` columns from `start` (counted from 1) over `divisor`; they must read as a
/// number in full.
double scaled(std::string_view line, long start, long length, double divisor, const Where& where);

/// Reads the angles and distances of a line's GSI words by the unit each word gives, and tells
/// the user, once for each unit, of every unit that is not grads or metres.
class GsiUnits {
 public:
  explicit GsiUnits(Conversion& c) : c_(c) {}
  /// The angle whose eight digits begin at column `digits`, in grads. In grads, and in a unit
  /// GSI does not name for angles, its first seven digits / 10000 (the eighth, a hundredth of a
  /// milligrad, dropped); in degrees (unit 3, DDD.DDDDD), degrees, minutes and seconds (4,
  /// DDD.MMSSs) or mils (5, DDDD.DDDD) all eight digits, converted to grads.
  double angle(std::string_view line, long digits, const Where& where);
  /// The distance in the `length` columns from column `digits`: millimetres (unit 0, and any
  /// unit GSI does not name for distances), tenths (6) or hundredths of a millimetre (8), in
  /// metres; thousandths (1) or ten-thousandths of a foot (7), in feet, as read.
  double distance(std::string_view line, long digits, long length, const Where& where);

 private:
  // The unit column of the word whose digits begin at column `digits`.
  static char unit_of(std::string_view line, long digits);
  bool first_time(char unit);

  Conversion& c_;
  std::bitset<10> noted_;
};

}  // namespace korvath::leica
