// Topcon GTS 3000 raw file after WordPad saved it again: the same records with CR LF line
// ends, so its lines are read directly, without the rich-text pass, and one scratch file of key
// lines is enough.
#include "converters/topcon/raw_records.hpp"
#include "converters/topcon/topcon.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"

namespace korvath::topcon {

void convert_gts3000_raw_wordpad(Conversion& c) {
  DeclaredUnits units;
  {
    LineReader in = c.read_input_lines();
    KeyLineWriter key_lines(c, c.write_scratch(0, in));
    while (!in.at_end()) {
      const std::string_view line = in.read_line();
      key_lines.write(line, in.where());
    }
    key_lines.close();
    units = key_lines.units();
  }
  ItemReader rows = c.read_scratch_items(0);
  convert_raw_records(c, rows, units);
}

}  // namespace korvath::topcon
