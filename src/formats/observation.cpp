#include "formats/observation.hpp"

#include <cmath>

#include "flow/number_text.hpp"
#include "flow/text.hpp"

namespace korvath {

double reduce_to_backsight(double reading, double backsight_direction, const Where& where) {
  const double direction = reading - backsight_direction;
  if (!std::isfinite(direction))
    throw ConversionError(Fault::number_too_large, where,
                          plain_number(reading) + " - " + plain_number(backsight_direction));
  return direction < 0 ? direction + 400 : direction;
}

bool is_station_target(const Value& target, const Where& where) {
  if (const ReadNumber* read = std::get_if<ReadNumber>(&target)) return read->is_zero();
  if (const double* number = std::get_if<double>(&target)) return *number == 0;
  if (const std::string* name = std::get_if<std::string>(&target))
    return read_number(*name, where) == 0;
  return true;  // empty
}

}  // namespace korvath
