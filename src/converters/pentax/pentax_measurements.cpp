// Pentax measurement download: one keyed value a line. The trimmed line holds the key in
// positions 5 to 7 and the value from position 9 up to, not including, its last character.
#include <algorithm>

#include "converters/pentax/keyed_records.hpp"
#include "converters/pentax/pentax.hpp"
#include "flow/text.hpp"

namespace korvath::pentax {
namespace {

constexpr std::size_t kShortestKeyedLine = 9;

bool keyed_line(std::string_view line, const Where& where, std::string& scratch_line) {
  const std::string_view key = field(line, 5, 3);
  // Headings, blank lines and other records are dropped whatever their length.
  if (!is_record_key(key)) return false;
  // A keyed line too short for its value cannot be dropped: the observation group is read by
  // position, so losing one of its lines would shift every later value.
  if (line.size() < kShortestKeyedLine)
    throw ConversionError(Fault::line_too_short, where, std::string(line));
  const auto value_length = static_cast<long>(line.size() - kShortestKeyedLine);
  std::string_view value = field(line, 9, value_length);
  if (value.empty()) value = "0";
  // Written in place: three appends cost more than the line itself.
  const std::size_t start = scratch_line.size();
  scratch_line.resize(start + key.size() + 1 + value.size());
  char* out = std::copy(key.begin(), key.end(), scratch_line.data() + start);
  *out++ = ',';
  std::copy(value.begin(), value.end(), out);
  return true;
}

}  // namespace

void convert_measurements(Conversion& c) {
  convert_keyed_download(c, &keyed_line);
}

}  // namespace korvath::pentax
