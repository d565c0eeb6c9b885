// How each Nikon format shows itself in the first lines of a file.
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

// A DTM-300 record: "state , type , units , name" and two to four numbers, blanks and tabs
// around the commas; `type` is set to its type digit.
bool dtm300_record(std::string_view line, char& type) {
  const std::vector<std::string_view> items = split(line, ',');
  if (items.size() < 6 || items.size() > 8) return false;
  const std::string_view state = trim_blanks_and_tabs(items[0]);
  const std::string_view kind = trim_blanks_and_tabs(items[1]);
  const std::string_view units = trim_blanks_and_tabs(items[2]);
  if (state.size() != 1 || state[0] < '0' || state[0] > '9') return false;
  if (kind.size() != 1 || kind[0] < '0' || kind[0] > '3') return false;
  if (units.size() != 2 || std::string_view("MFN").find(units[0]) == std::string_view::npos ||
      std::string_view("DGM").find(units[1]) == std::string_view::npos)
    return false;
  for (std::size_t i = 4; i < items.size(); ++i)
    if (trim_blanks_and_tabs(items[i]).find_first_not_of("+-0123456789.") != std::string_view::npos)
      return false;
  type = kind[0];
  return true;
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
  if (!recognised(lines, stations > 0 && observations > 0)) return {};
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
  if (!recognised(lines, f1 + ss > 0)) return {};
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

// Every line a record; before the raw signature, whose lines start with two letters: no file
// fits both.
Fit dtm300_signature(const Prefix& prefix) {
  Tally lines;
  int set_ups = 0, shots = 0;
  for (const std::string& line : prefix.lines) {
    if (is_blank_line(line)) continue;
    char type = 0;
    const bool match = dtm300_record(line, type);
    set_ups += match && type == '2';
    shots += match && type == '0';
    lines.count(match);
  }
  if (shots == 0 || lines.percent() < 90) return {};
  return {lines.percent(), "εγγραφές DTM-300 «1 , 0 , MD , …» (" +
                               counted(set_ups, "στάση", "στάσεις") + ", " +
                               counted(shots, "μέτρηση", "μετρήσεις") + ")"};
}

}  // namespace korvath::nikon
