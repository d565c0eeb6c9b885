// How each Topcon format shows itself in the first lines of a file.
#include <optional>

#include "converters/topcon/topcon.hpp"
#include "flow/text.hpp"

namespace korvath::topcon {
namespace {

// The key field of a raw line, columns 1 to 8: an upper-case word, then blanks only.
std::optional<std::string_view> raw_key(std::string_view line) {
  const std::string_view cut = line.substr(0, 8);
  const std::string_view key = cut.substr(0, cut.find(' '));
  if (key.empty() || key.size() == 8 || key[0] < 'A' || key[0] > 'Z') return std::nullopt;
  if (key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") != std::string_view::npos)
    return std::nullopt;
  if (cut.find_first_not_of(' ', key.size()) != std::string_view::npos) return std::nullopt;
  return key;
}

}  // namespace

Fit gts3000_signature(const Prefix& prefix) {
  Tally lines;
  int stations = 0, observations = 0;
  for (const std::string& line : prefix.lines) {
    if (is_blank_line(line)) continue;
    const std::vector<std::string_view> items = split(line, ',');
    const std::string_view key = trim(items[0]);
    bool match = false;
    if (key == "1" && items.size() == 3) {  // station name, instrument height
      match = is_number(items[2]);
      if (match) ++stations;
    } else if (key == "2" && items.size() == 6) {  // point, readings, distance, target height
      match =
          is_angle(items[2]) && is_angle(items[3]) && is_number(items[4]) && is_number(items[5]);
      if (match) ++observations;
    }
    lines.count(match);
  }
  if (stations == 0 || observations == 0 || lines.percent() < 60) return {};
  return {lines.percent(), "εγγραφές 1 (στάση) και 2 (μέτρηση) χωρισμένες με κόμμα (" +
                               counted(stations, "στάση", "στάσεις") + ", " +
                               counted(observations, "μέτρηση", "μετρήσεις") + ")"};
}

Fit gts3000_raw_signature(const Prefix& prefix) {
  constexpr std::string_view kUsed[] = {"STN", "BS", "SS", "SD", "HV"};
  bool found[std::size(kUsed)] = {};
  Tally lines;
  std::optional<std::size_t> units;
  for (std::size_t i = 0; i < prefix.lines.size(); ++i) {
    const std::string_view line = prefix.lines[i];
    if (is_blank_line(line)) continue;
    const std::optional<std::string_view> key = raw_key(line);
    lines.count(key.has_value());
    if (!key) continue;
    if (!units && *key == "UNITS") units = i;
    for (std::size_t k = 0; k < std::size(kUsed); ++k) found[k] = found[k] || *key == kUsed[k];
  }
  // A measurement (SD or HV) and a target for it (SS or BS), or a station.
  const bool measured = found[3] || found[4], targeted = found[0] || found[1] || found[2];
  if (!measured || !targeted || lines.percent() < 60) return {};
  std::string keys;
  for (std::size_t k = 0; k < std::size(kUsed); ++k)
    if (found[k]) keys += (keys.empty() ? "" : "/") + std::string(kUsed[k]);
  std::string evidence = "κλειδιά " + keys + " στις στήλες 1–8";
  if (units) evidence += "· " + quote_line(*units, prefix.lines[*units]);
  return {lines.percent(), evidence};
}

}  // namespace korvath::topcon
