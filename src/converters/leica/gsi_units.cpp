#include "converters/leica/gsi_units.hpp"

#include <string>

#include "flow/conversion.hpp"
#include "formats/angle_unit.hpp"

namespace korvath::leica {
namespace {

// The angle units GSI names, with the scale of their eight digits.
struct GsiAngle {
  AngleUnit unit;
  double divisor;
};

// One of the units is_converted_angle_unit names.
GsiAngle gsi_angle(char unit) {
  if (unit == '3') return {AngleUnit::degrees, 100000};
  if (unit == '4') return {AngleUnit::dms, 100000};
  return {AngleUnit::mils, 10000};
}

}  // namespace

bool GsiUnits::first_time(char unit) {
  const auto digit = static_cast<std::size_t>(unit - '0');
  if (noted_.test(digit)) return false;
  noted_.set(digit);
  return true;
}

double GsiUnits::converted_angle(std::string_view line, long digits, char unit,
                                 const Where& where) {
  const GsiAngle gsi = gsi_angle(unit);
  Value angle = scaled(line, digits, 8, gsi.divisor, where);
  convert_to_grads(angle, gsi.unit, where);
  if (first_time(unit)) c_.note(where, angle_unit_note(std::string("GSI ") + unit, gsi.unit));
  return std::get<double>(angle);
}

double GsiUnits::word_angle(const GsiWord& word, const Where& where) {
  const char unit = word.unit();
  if (unit == '2') return static_cast<double>(word.digits(where)) / 100000;
  if (!is_converted_angle_unit(unit))
    throw ConversionError(Fault::unknown_unit, where, std::string(word.text));
  const GsiAngle gsi = gsi_angle(unit);
  const double grads =
      angle_in_grads(static_cast<double>(word.digits(where)) / gsi.divisor, gsi.unit, where);
  if (first_time(unit)) c_.note(where, angle_unit_note(std::string("GSI ") + unit, gsi.unit));
  return grads;
}

double GsiUnits::word_length(const GsiWord& word, const Where& where) {
  const char unit = word.unit();
  double divisor = 1000;
  if (unit == '6' || unit == '7') {
    divisor = 10000;
  } else if (unit == '8') {
    divisor = 100000;
  } else if (unit != '0' && unit != '1' && unit != '.') {
    throw ConversionError(Fault::unknown_unit, where, std::string(word.text));
  }
  const double length = static_cast<double>(word.digits(where)) / divisor;
  return unit == '1' || unit == '7' ? feet_(length, where) : length;
}

double GsiUnits::scaled_distance(std::string_view line, long digits, long length, char unit,
                                 const Where& where) {
  const bool feet = unit == '1' || unit == '7';
  const double divisor = unit == '6' || unit == '7' ? 10000 : unit == '8' ? 100000 : 1000;
  const double distance = scaled(line, digits, length, divisor, where);
  if (feet && first_time(unit))
    declare_distance_unit(c_, where, std::string("GSI ") + unit + " (πόδια)", "");
  return distance;
}

}  // namespace korvath::leica
