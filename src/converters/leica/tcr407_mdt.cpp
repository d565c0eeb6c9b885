// Leica TCR 407 MDT file -> station and point measurement files. After a first line that is
// dropped, each line holds a ten-character name field whose first character is the line's code
// (9 set-up, - backsight, 0 observation) and values separated by single blanks. The first pass
// turns the lines into records; the last pass reduces every direction to the last backsight.
#include <algorithm>
#include <string>

#include "converters/leica/leica.hpp"
#include "converters/leica/measurement_records.hpp"
#include "flow/blank_runs.hpp"
#include "flow/conversion.hpp"
#include "flow/output_file.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/report.hpp"
#include "flow/text.hpp"

namespace korvath::leica {
namespace {

constexpr long kNameField = 10;

// The record letter of a line's code character; empty for a line that is not a record.
std::string_view record_letter(std::string_view name_field) {
  if (name_field.empty()) return {};
  switch (name_field.front()) {
    case '9':
      return "S";
    case '-':
      return "B";
    case '0':
      return "D";
    default:
      return {};
  }
}

// The name field less its code character and the zeros that pad the number: 9000000012 is 12.
// A field of zeros only after its code, or of one character, stays whole.
std::string_view stripped_name(std::string_view name_field) {
  if (name_field.size() < 2) return name_field;
  const std::size_t first = name_field.find_first_not_of('0', 1);
  return first == std::string_view::npos ? name_field : name_field.substr(first);
}

// Returns whether the input's last line, kept, had no line end: the last pass reads it as cut off.
bool mdt_to_records(LineReader& in, OutputFile& scratch, RecordTally& tally) {
  in.read_line();  // the file's heading
  bool kept = false;
  while (!in.at_end()) {
    kept = false;
    // Single blanks separate the values; two blanks in a row leave an empty value.
    const std::string_view line = trim(in.read_line());
    const std::string_view name_field = field(line, 1, kNameField);
    const std::string_view letter = record_letter(name_field);
    if (letter.empty()) {
      if (!line.empty()) {
        const std::string code = quoted_text(line.substr(0, 1));
        tally.count(tally.passed_over("παραλείφθηκε 1 γραμμή με κωδικό «" + code + "»",
                                      "παραλείφθηκαν {} γραμμές με κωδικό «" + code + "»"),
                    in.where());
      }
      continue;
    }
    const std::string_view name = stripped_name(name_field);
    const std::string_view values = field(line, kNameField + 2);  // after the name's separator
    const auto build = [&](std::string& record) {
      const std::size_t start = record.size();
      const std::size_t length = letter.size() + 1 + name.size() + 1 + values.size();
      record.resize(start + length + 16);  // room for copies of sixteen bytes
      char* out = std::copy(letter.begin(), letter.end(), record.data() + start);
      *out++ = ',';
      out = copy_marks_as_commas(name, out, ' ');
      *out++ = ',';
      copy_marks_as_commas(values, out, ' ');
      record.resize(start + length);
    };
    scratch.write_line_with(build);
    kept = in.last_line_unended();
  }
  scratch.close();
  return kept;
}

// "S": eight values, the fourth the instrument height. "B" five values, "D" seven, both
// beginning with Hz, Vz, slope distance and reflector height.
constexpr RecordLayout kMdtRecords{.setup_values = 8,
                                   .instrument_height = 3,
                                   .observation_values = 7,
                                   .backsight_values = 5,
                                   .reading = 0,
                                   .vertical_angle = 1,
                                   .slope_distance = 2,
                                   .target_height = 3,
                                   .backsight_is_station = false};

}  // namespace

void convert_tcr407_mdt(Conversion& c) {
  RecordTally tally;
  bool cut = false;
  {
    LineReader in = c.read_input_lines();
    OutputFile records = c.write_scratch(0, in);
    cut = mdt_to_records(in, records, tally);
  }
  ItemReader records = c.read_scratch_items(0);
  if (cut) records.mark_last_line_unended();
  records_to_observations(c, records, kMdtRecords, tally);
}

}  // namespace korvath::leica
