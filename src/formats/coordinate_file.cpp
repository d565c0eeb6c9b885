#include "formats/coordinate_file.hpp"

namespace korvath {

void CoordinateFile::write_point(const Value& name, const Value& first, const Value& second,
                                 const Value& third) {
  file_.write_line_with([&](std::string& line) {
    append_value(line, name);
    for (const Value* v : {&first, &second, &third}) {
      line.push_back(',');
      append_value(line, *v);
    }
  });
}

}  // namespace korvath
