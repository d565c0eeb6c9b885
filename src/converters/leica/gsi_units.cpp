#include "converters/leica/gsi_units.hpp"

#include <string>

#include "flow/conversion.hpp"
#include "flow/text.hpp"
#include "flow/value.hpp"
#include "formats/angle_unit.hpp"

namespace korvath::leica {
namespace {

// The angle units GSI names, with the scale of their eight digits.
struct GsiAngle {
  AngleUnit unit;
  double divisor;
};

GsiAngle gsi_angle(char unit) {
  switch (unit) {
    case '3':
      return {AngleUnit::degrees, 100000};
    case '4':
      return {AngleUnit::dms, 100000};
    case '5':
      return {AngleUnit::mils, 10000};
    default:
      return {AngleUnit::grads, 10000};
  }
}

}  // namespace

double scaled(std::string_view line, long start, long length, double divisor, const Where& where) {
  return as_number(text(field(line, start, length, where)), where) / divisor;
}

char GsiUnits::unit_of(std::string_view line, long digits) {
  // The sign stands between the unit and the digits.
  const auto at = static_cast<std::size_t>(digits - 3);
  return at < line.size() ? line[at] : ' ';
}

bool GsiUnits::first_time(char unit) {
  const auto digit = static_cast<std::size_t>(unit - '0');
  if (noted_.test(digit)) return false;
  noted_.set(digit);
  return true;
}

double GsiUnits::angle(std::string_view line, long digits, const Where& where) {
  const char unit = unit_of(line, digits);
  const GsiAngle gsi = gsi_angle(unit);
  if (gsi.unit == AngleUnit::grads) return scaled(line, digits, 7, gsi.divisor, where);
  Value angle = scaled(line, digits, 8, gsi.divisor, where);
  convert_to_grads(angle, gsi.unit, where);
  if (first_time(unit)) c_.note(where, angle_unit_note(std::string("GSI ") + unit, gsi.unit));
  return std::get<double>(angle);
}

double GsiUnits::distance(std::string_view line, long digits, long length, const Where& where) {
  const char unit = unit_of(line, digits);
  const bool feet = unit == '1' || unit == '7';
  const double divisor = unit == '6' || unit == '7' ? 10000 : unit == '8' ? 100000 : 1000;
  const double distance = scaled(line, digits, length, divisor, where);
  if (feet && first_time(unit))
    declare_distance_unit(c_, where, std::string("GSI ") + unit + " (πόδια)", "");
  return distance;
}

}  // namespace korvath::leica
