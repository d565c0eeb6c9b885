// Wild/Leica TC 600: fixed-column lines of 16-character words. A short line (64 characters)
// with code -3 sets up a station from the long line after it; code -2 observes a station with
// the long line after it; every other long line (112 characters) that holds a horizontal reading
// and a vertical angle observes a detail point. The angles and distances are read in the unit
// their words give (gsi_units.hpp).
#include <optional>
#include <string>

#include "converters/leica/gsi_units.hpp"
#include "converters/leica/leica.hpp"
#include "flow/conversion.hpp"
#include "flow/number_text.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/signature.hpp"
#include "flow/text.hpp"
#include "formats/measurement_files.hpp"

namespace korvath::leica {
namespace {

constexpr std::size_t kWord = 16;
constexpr std::size_t kShortLine = 64;
constexpr std::size_t kLongLine = 112;

// "S" and the station number without its leading zeros (digits with a letter stay as they are).
Value station_name(std::string_view digits) {
  std::string name = "S";
  name += format_integer(text(digits));
  return Value(std::move(name));
}

// The word index of word `word` (counted from 1): its first two columns.
std::string_view word_index(std::string_view line, std::size_t word) {
  return line.substr((word - 1) * kWord, 2);
}

bool is_index(std::string_view index) {
  const auto digit = [](char d) { return d >= '0' && d <= '9'; };
  return index.size() == 2 && digit(index[0]) && digit(index[1]);
}

// Whether a long line observes. Other instruments write long lines of other GSI words too, such
// as a set-up's orientation and station coordinates (25, 84 to 88), which read as an observation
// would give a point of nonsense angles: a line whose words 2 and 3 carry the indices of other
// words is none. Every other long line is read as one, also one whose index columns are blank,
// as a file without indices has them.
bool observes(std::string_view line) {
  const std::string_view second = word_index(line, 2), third = word_index(line, 3);
  if (!is_index(second) || !is_index(third)) return true;
  return second == "21" && third == "22";
}

// For a GSI download of other line lengths, the command that reads it.
std::string gsi_reader(const std::string& input_path) {
  try {
    const std::string_view command = gsi_command(read_prefix(input_path));
    if (!command.empty()) return "· διαβάζεται με την εντολή " + std::string(command);
  } catch (const ConversionError&) {
    // Read once already: a file that cannot be read again has no advice.
  }
  return {};
}

struct Setup {
  Value station = text(""), backsight = text("");
  Value instrument_height;  // empty before the first set-up
  double orientation = 0;
};

struct Measured {
  double target_height, slope_distance, direction, vertical_angle;
};

// The horizontal reading of a long line, in grads.
double reading(GsiUnits& units, std::string_view line, const Where& where) {
  return units.angle(line, 24, where);
}

Measured measure(GsiUnits& units, std::string_view line, double orientation, const Where& where) {
  Measured m{};
  m.target_height = units.distance(line, 88, 9, where);
  m.slope_distance = units.distance(line, 56, 8, where);
  m.direction = reduce_to_backsight(reading(units, line, where), orientation, where);
  m.vertical_angle = units.angle(line, 40, where);
  return m;
}

void write_observation(MeasurementFile& file, const Value& target, const Setup& s,
                       const Measured& m) {
  file.write({target, s.station, s.backsight, text(format_fixed(m.target_height, 4)),
              text(format_fixed(m.direction, 5)), text(format_fixed(m.vertical_angle, 5)),
              text(format_fixed(m.slope_distance, 4)), text(format_fixed(s.instrument_height, 4))});
}

}  // namespace

std::optional<Rejection> validate_tc600(const std::string& input_path) {
  LineReader in(input_path);
  in.skip_marks_around_text();
  while (!in.at_end()) {
    const std::size_t length = in.read_line().size();
    if (length == 0 || length == kShortLine || length == kLongLine) continue;
    std::string reason =
        "έχει " + std::to_string(length) + " χαρακτήρες· η εντολή δέχεται γραμμές των 64 και 112";
    // A last line shorter than its kind, without a line end, is where a transfer stopped.
    if (in.last_line_unended() && length < kLongLine)
      reason += ": η λήψη μοιάζει κομμένη εδώ, κατεβάστε την ξανά από το όργανο";
    return Rejection{in.own_line(), reason + gsi_reader(input_path)};
  }
  return std::nullopt;
}

void convert_tc600(Conversion& c) {
  LineReader in = c.read_input_lines();
  MeasurementOutputs out(c);
  GsiUnits units(c);
  Setup setup;
  double counter = 0;  // falls by one with every -3 and -2 pair; shifts the point numbers
  RecordTally tally;
  SetupTally setups(tally);
  std::optional<std::size_t> no_observation;  // its note names the indices of the first one
  while (!in.at_end()) {
    bool handled = false;
    std::string_view line = in.read_line();
    const Where at = in.where();
    if (line.size() == kShortLine) {
      const double code = read_number(field(line, 7, 9), in.where());
      if (code == -3) {
        const std::string station(field(line, 24, 8)), backsight(field(line, 40, 8));
        const double height = scaled(line, 56, 8, 100, in.where());
        line = in.read_line();  // the observation to the backsight
        setup.orientation = reading(units, line, in.where());
        // Its other fields must be numbers too.
        measure(units, line, setup.orientation, in.where());
        setup.station = station_name(station);
        setup.backsight = station_name(backsight);
        setup.instrument_height = height;
        setups.set_up(setup.station, at);
        handled = true;
        --counter;
      } else if (code == -2) {
        const std::string target(field(line, 24, 8));
        line = in.read_line();  // the observation to that station
        const Measured m = measure(units, line, setup.orientation, in.where());
        setups.observe(at);
        write_observation(out.stations, station_name(target), setup, m);
        handled = true;
        --counter;
      } else {
        const std::string shown = std::string(trim(bare_number(code)));
        tally.count(tally.passed_over("παραλείφθηκε 1 σύντομη γραμμή με κωδικό " + shown,
                                      "παραλείφθηκαν {} σύντομες γραμμές με κωδικό " + shown),
                    at);
      }
    }
    if (line.size() != kLongLine || handled) continue;
    if (!observes(line)) {
      if (!no_observation)
        no_observation = tally.passed_over(
            "παραλείφθηκε 1 μακριά γραμμή που δεν είναι μέτρηση (λέξεις «" +
                std::string(word_index(line, 2)) + "» και «" + std::string(word_index(line, 3)) +
                "» αντί για οριζόντια 21 και κατακόρυφη γωνία 22)",
            "παραλείφθηκαν {} μακριές γραμμές που δεν είναι μετρήσεις (η πρώτη με λέξεις «" +
                std::string(word_index(line, 2)) + "» και «" + std::string(word_index(line, 3)) +
                "» αντί για οριζόντια 21 και κατακόρυφη γωνία 22)");
      tally.count(*no_observation, at);
      continue;
    }
    const Measured m = measure(units, line, setup.orientation, in.where());
    const double point = read_number(field(line, 7, 9), in.where()) + counter;
    setups.observe(at);
    write_observation(out.points, point, setup, m);
  }
  setups.close(c);
  tally.report(c, c.input_name());
}

}  // namespace korvath::leica
