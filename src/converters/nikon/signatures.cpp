// How each Nikon NPL 352 format shows itself in the first lines of a file.
#include <optional>

#include "converters/nikon/nikon.hpp"
#include "flow/text.hpp"

namespace korvath::nikon {
namespace {

bool upper(char c) {
  return c >= 'A' && c <= 'Z';
}
bool upper_or_digit(char c) {
  return upper(c) || (c >= '0' && c <= '9');
}

// A raw record: a two-character type (CO, ST, F1, SS, ...) and a comma; "*" marks a deleted one.
bool raw_record(std::string_view line) {
  if (line.starts_with('*')) line.remove_prefix(1);
  return line.size() >= 3 && upper(line[0]) && upper_or_digit(line[1]) && line[2] == ',';
}

}  // namespace

Fit npl352_dos_signature(const Prefix& prefix) {
  Tally lines;
  int stations = 0, observations = 0;
  for (const std::string& line : prefix.lines) {
    if (is_blank_line(line)) continue;
    const std::vector<std::string_view> items = split(line, ',');
    bool match = false;
    if (items.size() == 5 && trim(items[0]) == "*") {
      match = is_angle(items[3]) && is_number(items[4]);  // backsight direction, height
      if (match) ++stations;
    } else if (items.size() == 5 && !trim(items[0]).empty()) {
      match =
          is_number(items[1]) && is_number(items[2]) && is_angle(items[3]) && is_angle(items[4]);
      if (match) ++observations;
    }
    lines.count(match);
  }
  if (stations == 0 || observations == 0 || lines.percent() < 60) return {};
  return {lines.percent(), "εγγραφές «*» (στάση) και μετρήσεις των 5 τιμών χωρισμένων με κόμμα (" +
                               counted(stations, "στάση", "στάσεις") + ", " +
                               counted(observations, "μέτρηση", "μετρήσεις") + ")"};
}

Fit npl352_raw_signature(const Prefix& prefix) {
  Tally lines;
  int st = 0, f1 = 0, ss = 0;
  std::optional<std::size_t> heading, units;
  for (std::size_t i = 0; i < prefix.lines.size(); ++i) {
    const std::string_view line = prefix.lines[i];
    if (is_blank_line(line)) continue;
    if (lines.seen == 0 && line.starts_with("CO,Nikon RAW data format")) heading = i;
    if (!units && line.starts_with("CO,Angle Units")) units = i;
    if (line.starts_with("ST,")) ++st;
    if (line.starts_with("F1,")) ++f1;
    if (line.starts_with("SS,")) ++ss;
    lines.count(raw_record(line));
  }
  // Only F1 and SS records are written; a file of set-ups alone gives nothing.
  if (f1 + ss == 0 || lines.percent() < 60) return {};
  std::string evidence;
  if (heading) evidence = quote_line(*heading, prefix.lines[*heading]) + "· ";
  evidence += "εγγραφές ";
  evidence += st ? "ST/" : "";
  evidence += f1 ? "F1/" : "";
  evidence += ss ? "SS/" : "";
  evidence.pop_back();
  if (units) evidence += "· " + quote_line(*units, prefix.lines[*units]);
  return {lines.percent(), evidence};
}

}  // namespace korvath::nikon
