// Pentax traverse coordinate listing: a point stands on one long line (over 40 characters
// once trimmed): a 6-character lead, its values separated by ":", one closing character.
// The values are copied as text, their digits and blanks exactly as listed.
#include "converters/pentax/pentax.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/text.hpp"
#include "formats/coordinate_file.hpp"

namespace korvath::pentax {
namespace {
constexpr std::size_t kLongestOtherLine = 40;
constexpr long kLeadLength = 6;
}  // namespace

void convert_coordinates_traverse(Conversion& c) {
  LineReader in = c.read_input_lines();
  CoordinateFile out(c);
  RecordTally tally;
  const std::size_t short_lines =
      tally.passed_over("παραλείφθηκε 1 γραμμή των 40 χαρακτήρων ή λιγότερων",
                        "παραλείφθηκαν {} γραμμές των 40 χαρακτήρων ή λιγότερων");
  while (!in.at_end()) {
    const std::string_view line = trim(in.read_line());
    if (line.size() <= kLongestOtherLine) {  // headings and short lines
      if (!line.empty()) tally.count(short_lines, in.where());
      continue;
    }
    // The line is trimmed, so its last character is no blank: what is left is never empty.
    const std::string_view values = trim(field(line, kLeadLength + 1));
    const std::string_view without_close =
        field(values, 1, static_cast<long>(values.size()) - 1, in.where());
    out.write_text_line(replace_all(without_close, ":", ","));
  }
  tally.report(c, c.input_name());
}

}  // namespace korvath::pentax
