// How each Topcon format shows itself in the first lines of a file.
#include <optional>
#include <string>

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

// The text of a GTS-200 dump is read this far: its first record must begin within 200
// characters, and an observation word has 29 up to its angle letter.
constexpr std::size_t kDumpStart = 200, kObservationShape = 29;

// The start of a dump's text, freed of its framing (STX, the 4 check characters and ETX of each
// block; EOT); `blocks`: how many framed blocks it took.
std::string dump_start(const Prefix& prefix, int& blocks) {
  std::string text;
  const auto take = [&](std::string_view line) {
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    if (line.size() >= 6 && line.front() == '\x02' && line.back() == '\x03') {
      ++blocks;
      line = line.substr(1, line.size() - 6);
    }
    if (line != "\x04") text.append(line);
  };
  for (const std::string& line : prefix.lines) {
    if (text.size() >= kDumpStart + kObservationShape) return text;
    take(line);
  }
  take(prefix.cut);
  return text;
}

bool digits_at(std::string_view text, std::size_t at, std::size_t count) {
  for (std::size_t i = at; i < at + count; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

// "_ ?+SSSSSSSSmZZZZZZZ+HHHHHHHu" at `at`: its angle letter, or 0.
char observation_at(std::string_view text, std::size_t at) {
  const std::string_view w = text.substr(at, kObservationShape);
  if (w.size() < kObservationShape || !w.starts_with("_ ?+") || w[12] != 'm' ||
      (w[20] != '+' && w[20] != '-') || (w[28] != 'd' && w[28] != 'g'))
    return 0;
  return digits_at(w, 4, 8) && digits_at(w, 13, 7) && digits_at(w, 21, 7) ? w[28] : 0;
}

}  // namespace

Fit gts200_dump_signature(const Prefix& prefix) {
  int blocks = 0;
  const std::string joined = dump_start(prefix, blocks);
  const std::string_view text = trim(joined);
  if (!text.starts_with("_'")) return {};
  for (std::size_t at = text.find("_ ?"); at < kDumpStart; at = text.find("_ ?", at + 1)) {
    if (const char unit = observation_at(text, at)) {
      std::string evidence = "λήψη σειριακής θύρας, στάση «_'» και μέτρηση «_ ?» με γωνίες σε «";
      evidence += unit;
      evidence += "»· ";
      evidence += blocks > 0 ? "σε μπλοκ STX…ETX" : "χωρίς αλλαγές γραμμής";
      return {100, evidence};
    }
  }
  return {};
}

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
  if (!recognised(lines, stations > 0 && observations > 0)) return {};
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
  if (!recognised(lines, measured && targeted)) return {};
  std::string keys;
  for (std::size_t k = 0; k < std::size(kUsed); ++k)
    if (found[k]) keys += (keys.empty() ? "" : "/") + std::string(kUsed[k]);
  std::string evidence = "κλειδιά " + keys + " στις στήλες 1–8";
  if (units) evidence += "· " + quote_line(*units, prefix.lines[*units]);
  return {lines.percent(), evidence};
}

}  // namespace korvath::topcon
