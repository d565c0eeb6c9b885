// Topcon GTS 3000 raw file: one record a line, the key in columns 1 to 8 and comma-separated
// values from column 9, the lines separated by bare line feeds. The rich-text pass turns them
// into lines; the key lines are kept and read back as records.
#include "converters/topcon/raw_records.hpp"
#include "converters/topcon/rich_text_pass.hpp"
#include "converters/topcon/topcon.hpp"
#include "flow/conversion.hpp"

namespace korvath::topcon {

void convert_gts3000_raw(Conversion& c) {
  {
    RecordText in = c.read_input_as<RecordText>();
    OutputFile rendering = c.write_scratch(0);
    rich_text_pass(in, rendering);
  }
  DeclaredUnits units;
  RecordTally tally;
  {
    RichTextDataLines lines(c.read_scratch_lines(0, 1));
    KeyLineWriter key_lines(c, c.write_scratch(1, lines.reader()), tally);
    while (const auto line = lines.next()) key_lines.write(*line, lines.reader().where());
    key_lines.close();
    units = key_lines.units();
  }
  ItemReader rows = c.read_scratch_items(1);
  convert_raw_records(c, rows, units, tally);
}

}  // namespace korvath::topcon
