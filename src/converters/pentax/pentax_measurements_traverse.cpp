// Pentax traverse measurement listing: "KEY:value" lines. A line whose first three characters
// are a record key is kept whole, every ":" turned into ",", so it reads as "KEY,value".
#include "converters/pentax/keyed_records.hpp"
#include "converters/pentax/pentax.hpp"
#include "flow/blank_runs.hpp"
#include "flow/text.hpp"

namespace korvath::pentax {
namespace {

bool keyed_line(std::string_view line, const Where&, std::string& scratch_line) {
  if (!is_record_key(field(line, 1, 3))) return false;
  // Copied and turned in one pass.
  const std::size_t start = scratch_line.size();
  scratch_line.resize(start + line.size() + 16);  // room for copies of sixteen bytes
  copy_marks_as_commas(line, scratch_line.data() + start, ':');
  scratch_line.resize(start + line.size());
  return true;
}

}  // namespace

void convert_measurements_traverse(Conversion& c) {
  convert_keyed_download(c, &keyed_line);
}

}  // namespace korvath::pentax
