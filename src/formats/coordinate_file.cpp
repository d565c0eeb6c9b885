#include "formats/coordinate_file.hpp"

namespace korvath {

void CoordinateFile::write_point(const Value& name, const Value& first, const Value& second,
                                 const Value& third) {
  line_.clear();
  append_value(line_, name);
  for (const Value* v : {&first, &second, &third}) {
    line_.push_back(',');
    append_value(line_, *v);
  }
  file_.write_line(line_);
}

}  // namespace korvath
