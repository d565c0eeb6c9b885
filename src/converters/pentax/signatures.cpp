// How each Pentax format shows itself in the first lines of a file.
#include <algorithm>
#include <set>

#include "converters/pentax/keyed_records.hpp"
#include "converters/pentax/pentax.hpp"
#include "flow/text.hpp"

namespace korvath::pentax {
namespace {

// Keyed lines of a measurement download, the key cut where `key_at` says (0-based).
Fit keyed_lines(const Prefix& prefix, std::size_t key_at, const std::string& where) {
  Tally lines;
  std::vector<std::string_view> found;  // in the order first met
  for (const std::string& line : prefix.lines) {
    if (is_blank_line(line)) continue;
    const std::string_view text = trim(line);
    // Traverse lines are "KEY:value"; download lines have their key in 5 to 7 and at least 9
    // characters.
    const bool shaped = key_at == 0 ? text.size() >= 4 && text[3] == ':' : text.size() >= 9;
    const std::string_view key = shaped ? text.substr(key_at, 3) : "";
    lines.count(is_record_key(key));
    if (is_record_key(key) && std::find(found.begin(), found.end(), key) == found.end())
      found.push_back(key);
  }
  const auto has = [&](std::string_view key) {
    return std::find(found.begin(), found.end(), key) != found.end();
  };
  // A set-up and an observed point at least, and most lines keyed.
  if (!has("STS") || !has("PPD") || lines.percent() < 50) return {};
  std::string keys;
  for (const std::string_view key : found) keys += (keys.empty() ? "" : "/") + std::string(key);
  return {lines.percent(), "κλειδιά " + keys + " " + where};
}

}  // namespace

Fit measurements_signature(const Prefix& prefix) {
  return keyed_lines(prefix, 4, "στις στήλες 5–7");
}

Fit measurements_traverse_signature(const Prefix& prefix) {
  return keyed_lines(prefix, 0, "στις στήλες 1–3, πριν από «:»");
}

Fit coordinates_signature(const Prefix& prefix) {
  Tally lines;
  std::set<std::string_view> names;  // a coordinate list names each point once
  for (const std::string& line : prefix.lines) {
    if (is_blank_line(line)) continue;
    const std::vector<std::string_view> items = split(line, ',');
    lines.count(items.size() == 6 && !trim(items[0]).empty() && is_number(items[1]) &&
                is_number(items[2]) && is_number(items[3]) && names.insert(trim(items[0])).second);
  }
  if (!recognised(lines, true)) return {};  // one kind of record: the points
  return {lines.percent(),
          "σημεία των 6 τιμών χωρισμένων με κόμμα: όνομα, 3 συντεταγμένες, 2 ακόμη (" +
              counted(lines.matched, "σημείο", "σημεία") + ")"};
}

Fit coordinates_traverse_signature(const Prefix& prefix) {
  Tally lines;
  for (const std::string& line : prefix.lines) {
    if (is_blank_line(line)) continue;
    const std::string_view text = trim(line);
    bool match = false;
    // A point line: longer than 40 characters; a lead of 6, then values between ":", then one
    // closing character.
    if (text.size() > 40) {
      const std::string_view values = trim(field(text, 7));
      const std::vector<std::string_view> parts = split(values.substr(0, values.size() - 1), ':');
      match =
          parts.size() >= 4 && is_number(parts[1]) && is_number(parts[2]) && is_number(parts[3]);
    }
    lines.count(match);
  }
  if (lines.matched == 0 || lines.percent() < 50) return {};
  return {lines.percent(), "γραμμές σημείων άνω των 40 χαρακτήρων με τιμές χωρισμένες με «:» (" +
                               counted(lines.matched, "σημείο", "σημεία") + ")"};
}

}  // namespace korvath::pentax
