// How a Geodimeter job or area file shows itself: every line "label=value", with stations (2=)
// or points (5=). Observations (7, 8, 9, 17, 18, 24, 25) put the measurement command first,
// coordinates (37, 38, 39) the coordinate command; a file with both serves both alike.
#include <optional>
#include <string>

#include "converters/geodimeter/geodimeter.hpp"
#include "converters/geodimeter/labels.hpp"

namespace korvath::geodimeter {
namespace {

// A command that fits the format but finds none of its own records still names it, second.
constexpr int kOwnRecords = 100, kFormatOnly = 90;

bool is_observation(int label) {
  return label == kReading || label == kZenith || label == kSlope || label == kReadingII ||
         label == kZenithII || label == kReadingI || label == kZenithI;
}

struct Seen {
  int lines = 0, others = 0, stations = 0, points = 0, observations = 0, coordinates = 0;
  std::optional<std::size_t> other;  // the first line that is not "label=value"
};

Seen labels_in(const Prefix& prefix) {
  Seen seen;
  for (std::size_t i = 0; i < prefix.lines.size(); ++i) {
    if (is_blank_line(prefix.lines[i])) continue;
    const std::optional<Label> label = read_label(prefix.lines[i]);
    if (!label) {
      if (!seen.other) seen.other = i;
      ++seen.others;
      continue;
    }
    ++seen.lines;
    seen.stations += label->number == kStation ? 1 : 0;
    seen.points += label->number == kPoint ? 1 : 0;
    seen.observations += is_observation(label->number) ? 1 : 0;
    const bool coordinate =
        label->number == kNorth || label->number == kEast || label->number == kElevation;
    seen.coordinates += coordinate ? 1 : 0;
  }
  return seen;
}

std::string evidence(const Seen& seen) {
  std::string text = "γραμμές «ετικέτα=τιμή» (" + counted(seen.lines, "γραμμή", "γραμμές") +
                     "): " + counted(seen.stations, "στάση", "στάσεις") + " (2=), " +
                     counted(seen.points, "σημείο", "σημεία") + " (5=), ";
  text += seen.observations > 0 ? counted(seen.observations, "ετικέτα", "ετικέτες") + " μετρήσεων"
                                : std::string("χωρίς ετικέτες μετρήσεων");
  text += " (7, 8, 9, 17, 18, 24, 25), ";
  text += seen.coordinates > 0 ? counted(seen.coordinates, "ετικέτα", "ετικέτες") + " συντεταγμένων"
                               : std::string("χωρίς ετικέτες συντεταγμένων");
  return text + " (37, 38, 39)";
}

Fit fit(const Prefix& prefix, bool own_records(const Seen&)) {
  const Seen seen = labels_in(prefix);
  if (seen.stations + seen.points == 0) return {};
  if (seen.other) {
    // Nearly a job file (nine lines in ten or more): say which line is not.
    if (seen.lines < 9 * seen.others) return {};
    return {0, "γραμμές «ετικέτα=τιμή», αλλά όχι η " +
                   quote_line(*seen.other, prefix.lines[*seen.other])};
  }
  return {own_records(seen) ? kOwnRecords : kFormatOnly, evidence(seen)};
}

}  // namespace

Fit measurements_signature(const Prefix& prefix) {
  return fit(prefix, [](const Seen& seen) { return seen.observations > 0; });
}

Fit coordinates_signature(const Prefix& prefix) {
  return fit(prefix, [](const Seen& seen) { return seen.coordinates > 0; });
}

}  // namespace korvath::geodimeter
