// The coordinate file (.seq): one point a line, its name and three coordinates joined by ",",
// CR LF after every line.
#pragma once

#include <string>
#include <string_view>

#include "flow/conversion.hpp"
#include "flow/output_file.hpp"
#include "flow/value.hpp"

namespace korvath {

class CoordinateFile {
 public:
  /// Creates the command's coordinate output (emptied).
  explicit CoordinateFile(Conversion& c) : file_(c.output(0)) {}

  void write_point(const Value& name, const Value& first, const Value& second, const Value& third);
  /// One text written unchanged, then CR LF.
  void write_text_line(std::string_view text) { file_.write_line(text); }

 private:
  OutputFile& file_;
};

}  // namespace korvath
