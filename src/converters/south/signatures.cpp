// How a South measurement file shows itself in the first lines of a file.
#include "converters/south/south.hpp"

namespace korvath::south {

Fit measurements_signature(const Prefix& prefix) {
  Tally lines;
  int stations = 0, observations = 0;
  for (const std::string& line : prefix.lines) {
    if (is_blank_line(line)) continue;
    const std::vector<std::string_view> values = blank_separated(line);
    bool match = false;
    if (line.find('\t') != std::string::npos) {
      // Values are cut at blanks only; an instrument writes no tabs.
    } else if (values.size() <= 2) {  // station name and instrument height
      match = values.size() == 1 || is_number(values[1]);
      if (match) ++stations;
    } else if (values.size() <= 9) {  // point, target height, readings, distance, more
      match = is_number(values[1]) && is_angle(values[2]) &&
              (values.size() < 4 || is_angle(values[3])) &&
              (values.size() < 5 || is_number(values[4]) || values[4] == "**********");
      if (match) ++observations;
    }
    lines.count(match);
  }
  if (!recognised(lines, stations > 0 && observations > 0)) return {};
  return {lines.percent(),
          "γραμμές στάσεων (όνομα, ύψος οργάνου) και μετρήσεων των 3 έως 9 τιμών χωρισμένων με"
          " κενά (" +
              counted(stations, "στάση", "στάσεις") + ", " +
              counted(observations, "μέτρηση", "μετρήσεις") + ")"};
}

}  // namespace korvath::south
