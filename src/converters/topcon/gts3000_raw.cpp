// Topcon GTS 3000 raw file: one record a line, the key in columns 1 to 8 and comma-separated
// values from column 9, the lines separated by bare line feeds. The rich-text pass turns them
// into lines; the key lines are kept and read back as records.
#include "converters/topcon/raw_records.hpp"
#include "converters/topcon/rich_text_pass.hpp"
#include "converters/topcon/topcon.hpp"
#include "flow/conversion.hpp"

namespace korvath::topcon {

void convert_gts3000_raw(Conversion& c) {
  const std::string rendering = c.scratch_path("/Top300hlp.txt");
  const std::string key_lines = c.scratch_path("/Top3000hlp.txt");
  rich_text_pass(c.input(), rendering);
  KeyLineWriter out(c, key_lines);
  {
    auto lines = rich_text_data_lines(rendering);
    while (const auto line = lines.next()) {
      // Line n of the rendering holds record n - 1 of the input (line 1 is its header).
      out.write(*line, {c.input(), lines.where().line - 1});
    }
  }
  out.close();
  convert_raw_records(c, key_lines, out.units());
}

}  // namespace korvath::topcon
