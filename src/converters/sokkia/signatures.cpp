// How an SDR33 field book shows itself in the first lines of a file: an SDR33 header (00NM), then
// records that start with two digits and a two-character derivation code. The measurement
// command comes first when the file observes (09), the coordinate command when it does not.
#include <algorithm>

#include "converters/sokkia/sdr_records.hpp"
#include "converters/sokkia/sokkia.hpp"

namespace korvath::sokkia {
namespace {

struct Scan {
  Fit fit;
  bool observes = false;
};

Scan scan(const Prefix& prefix) {
  Scan scan;
  Tally lines;
  int stations = 0, observations = 0, points = 0;
  bool header = false;
  for (const std::string& line : prefix.lines) {
    if (is_blank_line(line) || is_framing(line)) continue;
    if (!header) {
      const Header declared = read_header(line);
      // A near miss only for a header of the family: any other first line is another format.
      if (!declared.refusal.empty()) {
        if (line.starts_with("00NM")) scan.fit.evidence = declared.refusal;
        return scan;
      }
      header = true;
      lines.count(true);
      continue;
    }
    const bool record = is_record(line);
    lines.count(record);
    if (!record) continue;
    if (line.starts_with("02")) ++stations;
    if (line.starts_with("08")) ++points;
    if (line.starts_with("09")) ++observations;
  }
  if (!header || lines.percent() < 80) return scan;
  scan.observes = observations > 0;
  scan.fit = {lines.percent(), "κεφαλίδα SDR33 και εγγραφές σε πεδία των 16 στηλών (" +
                                   counted(stations, "στάση", "στάσεις") + ", " +
                                   counted(observations, "μέτρηση", "μετρήσεις") + ", " +
                                   counted(points, "σημείο", "σημεία") + ")"};
  return scan;
}

}  // namespace

Fit sdr33_measurements_signature(const Prefix& prefix) {
  Scan found = scan(prefix);
  // Without observations the file is for the coordinate command first.
  if (found.fit.fits() && !found.observes) found.fit.score = std::max(1, found.fit.score - 1);
  return std::move(found.fit);
}

Fit sdr33_coordinates_signature(const Prefix& prefix) {
  return scan(prefix).fit;
}

}  // namespace korvath::sokkia
