// Wild/Leica TC 600: fixed-column lines of 16-character words. A short line (64 characters)
// with code -3 sets up a station from the long line after it; code -2 observes a station with
// the long line after it; every other long line (112 characters) that holds a horizontal reading
// and a vertical angle observes a detail point. The angles and distances are read in the unit
// their words give (gsi_units.hpp).
#include <string>

#include "converters/leica/gsi_units.hpp"
#include "converters/leica/leica.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
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

// Whether a long line observes: its words 2 and 3 are a horizontal reading (word index 21) and a
// vertical angle (22). Other instruments write long lines of other words in GSI too, such as a
// set-up's orientation and station coordinates (25, 84 to 88), which read as an observation
// would give a point of nonsense angles.
// The word index of word `word` (counted from 1): its first two columns.
std::string_view word_index(std::string_view line, std::size_t word) {
  return line.substr((word - 1) * kWord, 2);
}

bool observes(std::string_view line) {
  return word_index(line, 2) == "21" && word_index(line, 3) == "22";
}

// Tells the user of the first long line that is no observation; the later ones are passed over
// without a word.
void note_passed_over(Conversion& c, std::string_view line, const Where& where, bool& noted) {
  if (noted) return;
  noted = true;
  c.note(where, "λέξεις «" + std::string(word_index(line, 2)) + "» και «" +
                    std::string(word_index(line, 3)) +
                    "» στη θέση της οριζόντιας (21) και της κατακόρυφης γωνίας (22): η γραμμή δεν"
                    " είναι μέτρηση και παραλείφθηκε, όπως και κάθε επόμενη τέτοια γραμμή");
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
    if (length != 0 && length != kShortLine && length != kLongLine)
      return Rejection{in.own_line(), "έχει " + std::to_string(length) +
                                          " χαρακτήρες· η εντολή δέχεται γραμμές των 64 και 112" +
                                          gsi_reader(input_path)};
  }
  return std::nullopt;
}

void convert_tc600(Conversion& c) {
  LineReader in = c.read_input_lines();
  MeasurementOutputs out(c);
  GsiUnits units(c);
  Setup setup;
  double counter = 0;  // falls by one with every -3 and -2 pair; shifts the point numbers
  bool passed_over_noted = false;
  while (!in.at_end()) {
    bool handled = false;
    std::string_view line = in.read_line();
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
        handled = true;
        --counter;
      } else if (code == -2) {
        const std::string target(field(line, 24, 8));
        line = in.read_line();  // the observation to that station
        const Measured m = measure(units, line, setup.orientation, in.where());
        write_observation(out.stations, station_name(target), setup, m);
        handled = true;
        --counter;
      }
    }
    if (line.size() != kLongLine || handled) continue;
    if (!observes(line)) {
      note_passed_over(c, line, in.where(), passed_over_noted);
      continue;
    }
    const Measured m = measure(units, line, setup.orientation, in.where());
    const double point = read_number(field(line, 7, 9), in.where()) + counter;
    write_observation(out.points, point, setup, m);
  }
}

}  // namespace korvath::leica
