// How each Leica format shows itself in the first lines of a file.
#include <algorithm>
#include <optional>

#include "converters/leica/gsi_units.hpp"
#include "converters/leica/gsi_words.hpp"
#include "converters/leica/leica.hpp"
#include "flow/text.hpp"

namespace korvath::leica {
namespace {

constexpr std::size_t kWord = 16;
// GSI-16, which the later Leica instruments write: a "*" before words of 24 characters.
constexpr std::size_t kLongWord = 24;

// A GSI word of `size` characters: the word index in columns 1 to 6 (digits and dots), the sign
// in 7, a blank last.
bool gsi_word(std::string_view word, std::size_t size) {
  return word.size() == size && word.back() == ' ' && (word[6] == '+' || word[6] == '-') &&
         word.substr(0, 6).find_first_not_of("0123456789.") == std::string_view::npos;
}

bool gsi_line(std::string_view line, std::size_t word_size = kWord) {
  if (line.empty() || line.size() % word_size != 0) return false;
  for (std::size_t at = 0; at < line.size(); at += word_size)
    if (!gsi_word(line.substr(at, word_size), word_size)) return false;
  return true;
}

bool gsi16_line(std::string_view line) {
  return line.starts_with('*') && gsi_line(line.substr(1), kLongWord);
}

// A GSI word without the blank after it: the word index (two digits), information (digits and
// dots), a sign and data without blanks.
bool gsi_word_text(std::string_view word) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return digit(word[0]) && digit(word[1]) && (word[6] == '+' || word[6] == '-') &&
         word.substr(2, 4).find_first_not_of("0123456789.") == std::string_view::npos &&
         word.substr(7).find(' ') == std::string_view::npos;
}

// The first line of a GSI download: a point (11) or a code block (41) first, and every word of
// the length of its variant; the last word may lack its blank.
bool gsi_first_line(std::string_view line) {
  std::size_t at = 0, size = kWord - 1;
  if (line.starts_with('*')) {
    at = 1;
    size = kLongWord - 1;
  }
  if (!line.substr(at).starts_with("11") && !line.substr(at).starts_with("41")) return false;
  for (;;) {
    const std::string_view word = line.substr(at, size);
    if (word.size() < size || !gsi_word_text(word)) return false;
    at += size;
    if (at == line.size() || (line[at] == ' ' && at + 1 == line.size())) return true;
    if (line[at] != ' ') return false;
    ++at;
  }
}

// What the start of a GSI download holds: its lines that read as GSI words, and among them the
// observations (a reading 21) and the lines with coordinates (81-86).
struct GsiPrefix {
  bool gsi = false, long_words = false;
  Tally lines;
  int observations = 0, coordinates = 0;
};

GsiPrefix gsi_prefix(const Prefix& prefix) {
  GsiPrefix found;
  GsiLine words;
  for (const std::string& line : prefix.lines) {
    if (is_blank_line(line)) continue;
    if (found.lines.seen == 0) {
      if (!gsi_first_line(line)) return found;
      found.gsi = true;
      found.long_words = line.starts_with('*');
    }
    const bool read = words.read(line);
    found.lines.count(read);
    if (!read) continue;
    if (words.has(21)) ++found.observations;
    if (words.present().any_of({81, 82, 83, 84, 85, 86})) ++found.coordinates;
  }
  return found;
}

// Both GSI commands fit a GSI download; the one for what it holds comes first.
Fit gsi_fit(const Prefix& prefix, bool coordinates_command) {
  const GsiPrefix found = gsi_prefix(prefix);
  if (!found.gsi) return {};
  const bool only_coordinates = found.observations == 0 && found.coordinates > 0;
  const int score = found.lines.percent();
  return {coordinates_command == only_coordinates ? score : std::max(1, score - 1),
          std::string(found.long_words ? "λέξεις GSI-16 των 24 χαρακτήρων"
                                       : "λέξεις GSI-8 των 16 χαρακτήρων") +
              " (" + counted(found.lines.seen, "γραμμή", "γραμμές") + ": " +
              std::to_string(found.observations) + " με οριζόντια γωνία 21, " +
              std::to_string(found.coordinates) + " με συντεταγμένες 81-86)"};
}

// A line as the IDX converters test it: trimmed of blanks, its tabs removed.
std::string idx_line(std::string_view line) {
  return replace_all(trim(line), "\t", "");
}

struct IdxMarks {
  std::optional<std::size_t> header, setup, slope, angular, points, points_elsewhere;
};

IdxMarks idx_marks(const Prefix& prefix) {
  IdxMarks marks;
  for (std::size_t i = 0; i < prefix.lines.size(); ++i) {
    const std::string line = idx_line(prefix.lines[i]);
    if (!marks.header && line == "HEADER") marks.header = i;
    if (!marks.setup && line.starts_with("SETUP")) marks.setup = i;
    if (!marks.slope && line.starts_with("SLOPE(")) marks.slope = i;
    if (!marks.angular && line.starts_with("ANGULAR")) marks.angular = i;
    // The coordinates command finds the heading only after exactly one character it keeps;
    // in an IDX file that is the tab that indents the table.
    const std::string_view kept = trim(prefix.lines[i]);
    if (kept.starts_with("\tPOINTS(") && kept.find(')') != std::string_view::npos) {
      if (!marks.points) marks.points = i;
    } else if (!marks.points_elsewhere && line.starts_with("POINTS")) {
      marks.points_elsewhere = i;
    }
  }
  return marks;
}

std::string line_number(std::size_t index) {
  return std::to_string(index + 1);
}

}  // namespace

Fit tc600_signature(const Prefix& prefix) {
  Tally words;
  int short_lines = 0, long_lines = 0;
  std::optional<std::size_t> other_length, angle_unit;
  for (std::size_t i = 0; i < prefix.lines.size(); ++i) {
    const std::string_view line = prefix.lines[i];
    if (line.empty()) continue;  // the only third length the check lets through
    words.count(gsi_line(line));
    if (line.size() == 64) {
      ++short_lines;
    } else if (line.size() == 112) {
      ++long_lines;
      // The horizontal reading (digits from column 24) in degrees or mils, not grads.
      if (!angle_unit && is_converted_angle_unit(gsi_unit(line, 24))) angle_unit = i;
    } else if (!other_length) {
      other_length = i;
    }
  }
  if (words.seen == 0 || words.percent() < 90) {
    // A GSI-16 download is refused by its line lengths: the user is told why.
    Tally long_words;
    for (const std::string& line : prefix.lines)
      if (!line.empty()) long_words.count(gsi16_line(line));
    if (long_words.seen > 0 && long_words.percent() >= 90)
      return {0,
              "λέξεις GSI-16 των 24 χαρακτήρων (γραμμές που αρχίζουν με «*»)· η εντολή "
              "διαβάζει μόνο λέξεις GSI των 16 χαρακτήρων (GSI-8)"};
    return {};
  }
  if (other_length)
    return {0, "λέξεις GSI των 16 χαρακτήρων, αλλά η γραμμή " + line_number(*other_length) +
                   " έχει " + std::to_string(prefix.lines[*other_length].size()) +
                   " χαρακτήρες· η εντολή δέχεται μόνο γραμμές των 64 και 112"};
  if (long_lines == 0) return {};
  std::string evidence = std::string(short_lines ? "γραμμές των 64 και 112" : "γραμμές των 112") +
                         " χαρακτήρων, λέξεις GSI των 16 χαρακτήρων (" +
                         counted(short_lines + long_lines, "γραμμή", "γραμμές") + ")";
  if (angle_unit)
    evidence += "· γραμμή " + line_number(*angle_unit) + ": γωνίες σε μονάδα GSI " +
                gsi_unit(prefix.lines[*angle_unit], 24);
  return {words.percent(), evidence};
}

Fit gsi_signature(const Prefix& prefix) {
  return gsi_fit(prefix, false);
}

Fit gsi_coordinates_signature(const Prefix& prefix) {
  return gsi_fit(prefix, true);
}

std::string_view gsi_command(const Prefix& prefix) {
  const Fit measurements = gsi_signature(prefix);
  if (!measurements.fits()) return {};
  return gsi_coordinates_signature(prefix).score > measurements.score ? "leica-gsi-coords"
                                                                      : "leica-gsi";
}

Fit tcr307_signature(const Prefix& prefix) {
  Tally lines;
  int setups = 0, observations = 0;
  for (const std::string& line : prefix.lines) {
    if (is_blank_line(line)) continue;
    const std::vector<std::string_view> values = blank_separated(line);
    bool match = false;
    if (values[0] == "S" && values.size() == 3 && is_number(values[2])) {
      match = true;
      ++setups;
    } else if (values[0] == "D" && values.size() >= 4 && values.size() <= 6) {
      // Target height, readings, distance; a short D line gets its vertical angle and
      // distance as 0.
      match = is_number(values[2]) && is_angle(values[3]) &&
              (values.size() < 5 || is_angle(values[4])) &&
              (values.size() < 6 || is_number(values[5]));
      if (match) ++observations;
    }
    lines.count(match);
  }
  if (!recognised(lines, setups > 0 && observations > 0)) return {};
  return {lines.percent(), "εγγραφές S (στάση) και D (μέτρηση) με τιμές χωρισμένες με κενά (" +
                               std::to_string(setups) + " S, " + std::to_string(observations) +
                               " D)"};
}

Fit tcr407_idx_signature(const Prefix& prefix) {
  const IdxMarks marks = idx_marks(prefix);
  std::string units;
  if (marks.angular)
    units = "· " + quote_line(*marks.angular, idx_line(prefix.lines[*marks.angular]));
  if (marks.setup && marks.slope)
    return {100, "μπλοκ SETUP (γραμμή " + line_number(*marks.setup) +
                     ") και πίνακας SLOPE (γραμμή " + line_number(*marks.slope) + ")" + units};
  // A long point table can push the set-ups past the prefix.
  if (marks.header && !prefix.whole)
    return {50, "γραμμή " + line_number(*marks.header) +
                    ": HEADER· μπλοκ SETUP και πίνακες SLOPE όχι στα πρώτα 64 KiB" + units};
  return {};
}

Fit tcr407_coords_signature(const Prefix& prefix) {
  const IdxMarks marks = idx_marks(prefix);
  if (marks.points) {
    // Its records: point number, identifier, three coordinates and more, between commas.
    std::size_t record = *marks.points + 1;
    while (record < prefix.lines.size() && is_blank_line(prefix.lines[record])) ++record;
    if (record < prefix.lines.size() && split(prefix.lines[record], ',').size() >= 8)
      return {100, "πίνακας POINTS (γραμμή " + line_number(*marks.points) + ")"};
  }
  if (marks.points_elsewhere)
    return {0, "πίνακας POINTS στη γραμμή " + line_number(*marks.points_elsewhere) +
                   ", αλλά όχι με ένα μόνο tab μπροστά, όπως τον βρίσκει η εντολή"};
  return {};
}

Fit tcr407_mdt_signature(const Prefix& prefix) {
  Tally lines;
  int setups = 0, observations = 0;
  // The first line is a heading the command drops.
  for (std::size_t i = 1; i < prefix.lines.size(); ++i) {
    if (is_blank_line(prefix.lines[i])) continue;
    const std::string_view line = trim(prefix.lines[i]);
    bool match = false;
    if (line.size() > 11 && line[10] == ' ' &&
        line.substr(0, 10).find(' ') == std::string_view::npos) {
      const std::vector<std::string_view> values = split(line.substr(11), ' ');
      const std::size_t wanted = line[0] == '9' ? 8 : line[0] == '-' ? 5 : line[0] == '0' ? 7 : 0;
      match = wanted != 0 && values.size() == wanted;
      for (std::size_t v = 0; match && v < 4; ++v) match = is_number(values[v]);
      // An observation's first two values are its readings.
      match = match && (line[0] == '9' || (is_angle(values[0]) && is_angle(values[1])));
      if (match) ++(line[0] == '9' ? setups : observations);
    }
    lines.count(match);
  }
  if (!recognised(lines, setups > 0 && observations > 0)) return {};
  return {lines.percent(),
          "εγγραφές 9 (στάση), - και 0 (μετρήσεις) με όνομα 10 χαρακτήρων και τιμές χωρισμένες με"
          " ένα κενό (" +
              counted(setups, "στάση", "στάσεις") + ", " +
              counted(observations, "μέτρηση", "μετρήσεις") + ")"};
}

}  // namespace korvath::leica
