#include "formats/observation.hpp"

#include "flow/text.hpp"

namespace korvath {

bool is_station_target(const Value& target, Where where) {
  if (const double* number = std::get_if<double>(&target)) return *number == 0;
  return read_number(plain_text(target), where) == 0;
}

}  // namespace korvath
