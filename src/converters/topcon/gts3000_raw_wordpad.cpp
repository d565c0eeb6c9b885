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
  RecordTally tally;
  bool cut = false;
  {
    LineReader in = c.read_input_lines();
    KeyLineWriter key_lines(c, c.write_scratch(0, in), tally);
    while (!in.at_end()) {
      const std::string_view line = in.read_line();
      key_lines.write(line, in.where(), !in.last_line_unended());
    }
    key_lines.close();
    units = key_lines.units();
    cut = key_lines.last_kept_unended();
  }
  ItemReader rows = c.read_scratch_items(0);
  if (cut) rows.mark_last_line_unended();
  convert_raw_records(c, rows, units, tally);
}

}  // namespace korvath::topcon
