// The units of a Geodimeter file. Label 23 gives them in four digits: the fourth 2 for angles in
// DDD.MMSS, the third 1 for metres. Where no label 23 says DDD.MMSS, the angle unit is decided
// once for the whole file: DDD.MMSS when every angle in it has minutes and seconds below 60,
// grads otherwise.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "flow/conversion.hpp"
#include "formats/angle_unit.hpp"

namespace korvath::geodimeter {

/// The number the value reads as in full (blanks around it allowed); Fault::not_a_number at
/// `where` for any other text.
double number_at(std::string_view value, const Where& where);

class Units {
 public:
  /// `angles`: whether the command reads angles (the coordinate command reads only lengths).
  Units(Conversion& c, bool angles) : c_(c), angles_(angles) {}

  /// Label 23 at `where`, in force for the angles converted from now on. False for a code that is
  /// not four digits, which declares nothing.
  bool declare(std::string_view code, const Where& where);
  /// An angle value in grads. DDD.MMSS with 60 minutes or seconds or more is Fault::not_an_angle.
  double grads(std::string_view value, const Where& where);

 private:
  // The unit of angles no label 23 gives, decided on first use by reading the file once more;
  // a note tells the user which and why.
  AngleUnit file_unit(std::string_view file);

  Conversion& c_;
  bool angles_;
  bool dms_declared_ = false;
  std::string lengths_noted_;  // the last code whose lengths were noted as not metres
  std::optional<AngleUnit> file_unit_;
};

}  // namespace korvath::geodimeter
