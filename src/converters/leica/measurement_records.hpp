// The last pass of the Leica TCR 307 and TCR 407 measurement commands: their scratch file holds
// comma-separated records of a letter, a name and a fixed number of values; "S" sets up a
// station, "D" observes a target, and in the MDT file "B" observes the backsight.
#pragma once

#include <cstddef>
#include <string>

namespace korvath {
class Conversion;
class ItemReader;
class RecordTally;
}  // namespace korvath

#include "formats/angle_unit.hpp"

namespace korvath::leica {

/// Where one format keeps its values, counted from 0 after the record's name.
struct RecordLayout {
  std::size_t setup_values;        // values of an "S" record
  std::size_t instrument_height;   // which of them is the instrument height
  std::size_t observation_values;  // values of a "D" record
  /// Values of a "B" record; 0 when the format has none and the backsight is instead the
  /// observation that directly follows a set-up (or opens the file).
  std::size_t backsight_values;
  /// Positions of the four observed values in a "D" or "B" record.
  std::size_t reading, vertical_angle, slope_distance, target_height;
  /// The backsight goes to the station file whatever its name (TCR 307).
  bool backsight_is_station;
};

/// Reads the scratch file back a record a line and writes one observation per "D" or "B" record,
/// its direction reduced to the backsight, to the station or the point file. The outputs are
/// created once the scratch file is open. A record of any other letter is counted and skipped;
/// it still counts as a record, so a "D" after it is not the backsight of the set-up before.
/// Readings and vertical angles are converted to grads by the unit in force at each record's
/// line of the scratch file (none declared: as read). Gives the tally's notes at the end.
void records_to_observations(Conversion& c, ItemReader& rows, const RecordLayout& layout,
                             RecordTally& tally, const DeclaredUnits& units = {});

}  // namespace korvath::leica
