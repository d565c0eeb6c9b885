// Topcon GTS 3000 raw file after WordPad saved it again: the same records with CR LF line
// ends, so its lines are read directly, without the rich-text pass, and one scratch file of key
// lines is enough.
#include "converters/topcon/raw_records.hpp"
#include "converters/topcon/topcon.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"

namespace korvath::topcon {

void convert_gts3000_raw_wordpad(Conversion& c) {
  const std::string key_lines = c.scratch_path("/Top300hlp.txt");
  KeyLineWriter out(c, key_lines);
  {
    LineReader in(c.input());
    while (!in.at_end()) {
      const std::string_view line = in.read_line();
      out.write(line, in.where());
    }
  }
  out.close();
  convert_raw_records(c, key_lines, out.units());
}

}  // namespace korvath::topcon
