#include "formats/coordinate_file.hpp"

namespace korvath {

void CoordinateFile::write_point(const Value& name, const Value& first, const Value& second,
                                 const Value& third) {
  file_.write_line_with(
      [&](std::string& line) { append_joined(line, name, first, second, third); });
}

}  // namespace korvath
