// How a FOIF job file shows itself: a header line that begins with a blank, the job name and
// a row of integers, then the set-up record "A," on line 2.
#include <algorithm>
#include <optional>

#include "converters/foif/foif.hpp"
#include "converters/foif/records.hpp"
#include "flow/text.hpp"

namespace korvath::foif {
namespace {

// " 0407A2,356,358,9,...": a blank, a name without commas, then 15 or more integers, each
// closed by its comma.
bool header(std::string_view line) {
  if (line.size() < 2 || line[0] != ' ') return false;
  const std::size_t comma = line.find(',');
  if (comma == std::string_view::npos || comma == 1) return false;
  int integers = 0;
  for (std::size_t start = comma + 1;; ++integers) {
    const std::size_t end = line.find(',', start);
    if (end == std::string_view::npos) break;
    std::string_view item = line.substr(start, end - start);
    if (item.starts_with('-')) item.remove_prefix(1);
    if (item.empty() || item.find_first_not_of("0123456789") != std::string_view::npos) break;
    start = end + 1;
  }
  return integers >= 15;
}

struct Seen {
  int set_ups = 0, observations = 0;  // A records; F and G records
  Tally records;
  std::string job;
};

// Fits when the first two lines are the header and an A record; then counts the records.
std::optional<Seen> job_file(const Prefix& prefix) {
  if (prefix.lines.size() < 2 || !header(without_padding(prefix.lines[0])) ||
      !prefix.lines[1].starts_with("A,"))
    return std::nullopt;
  Seen seen;
  const std::string_view first = prefix.lines[0];
  seen.job = trim(first.substr(0, first.find(',')));
  for (std::size_t i = 1; i < prefix.lines.size(); ++i) {
    const std::string_view line = prefix.lines[i];
    if (is_blank_line(line)) continue;
    const bool record = line.size() >= 2 && line[1] == ',' && line[0] >= 'A' && line[0] <= 'Z';
    seen.records.count(record);
    if (!record) continue;
    if (line[0] == 'A') ++seen.set_ups;
    if (line[0] == 'F' || line[0] == 'G') ++seen.observations;
  }
  return seen;
}

std::string evidence(const Seen& seen) {
  return "εργασία FOIF «" + seen.job +
         "»: επικεφαλίδα και εγγραφές A, B, C, F χωρισμένες με "
         "κόμμα (" +
         counted(seen.set_ups, "στάση", "στάσεις") + ", " +
         counted(seen.observations, "μέτρηση", "μετρήσεις") + ")";
}

}  // namespace

// Both commands fit a job file alike, the measurement command first by its place in the
// catalogue, so that neither is said to fit better; a file without observations fits the
// coordinate command better.
Fit measurements_signature(const Prefix& prefix) {
  const std::optional<Seen> seen = job_file(prefix);
  if (!seen) return {};
  const int share = seen->records.percent();
  return {seen->observations > 0 ? share : std::max(1, share - 1), evidence(*seen)};
}

Fit coordinates_signature(const Prefix& prefix) {
  const std::optional<Seen> seen = job_file(prefix);
  if (!seen) return {};
  return {seen->records.percent(), evidence(*seen)};
}

}  // namespace korvath::foif
