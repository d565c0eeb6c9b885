// What the two Topcon raw commands share once they have the raw lines: the filter that keeps
// the key lines, and the records read back from them.
#pragma once

#include <string>
#include <string_view>

#include "flow/output_file.hpp"
#include "flow/record_tally.hpp"
#include "formats/angle_unit.hpp"

namespace korvath {
class Conversion;
class ItemReader;
}  // namespace korvath

namespace korvath::topcon {

/// Pass B's output: the key lines, and the units that "UNITS" lines declare for those after
/// them ("UNITS   M,D": distances in metres, angles in degrees-minutes-seconds).
class KeyLineWriter {
 public:
  KeyLineWriter(Conversion& c, OutputFile key_lines, RecordTally& tally)
      : c_(c), key_lines_(std::move(key_lines)), tally_(tally) {}

  /// Writes a raw line as a key line when its key, columns 1 to 8, trims to "STN", "BS", "SS",
  /// "SD" or "HV": the key as cut, ",", the data from column 9, CR LF. Other lines are counted
  /// by their key and dropped; a "UNITS" line declares the units. `where`: the raw line in the
  /// input; `ended`: whether a line end closed it.
  void write(std::string_view raw_line, const Where& where, bool ended = true);
  /// Whether the line written last was kept and had no line end: the download's last line, cut
  /// off in its transfer, which pass C reads as such.
  bool last_kept_unended() const { return last_kept_unended_; }
  void close() { key_lines_.close(); }
  const DeclaredUnits& units() const { return units_; }

 private:
  Conversion& c_;
  OutputFile key_lines_;
  RecordTally& tally_;
  DeclaredUnits units_;
  bool last_kept_unended_ = false;
};

/// Pass C: the key lines read back item by item into observations, their angles converted to
/// grads by the declared units, reduced to the backsight and routed to the station or the point
/// file (created here). Gives the tally's notes at the end.
void convert_raw_records(Conversion& c, ItemReader& rows, const DeclaredUnits& units,
                         RecordTally& tally);

}  // namespace korvath::topcon
