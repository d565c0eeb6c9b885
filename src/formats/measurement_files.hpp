// The station and point measurement files (.txm): one observation a line, eight values joined
// by ",", CR LF after every line. Each value keeps its form: text as held, a number as
// bare-number text, empty as nothing.
#pragma once

#include <string>
#include <vector>

#include "flow/conversion.hpp"
#include "flow/output_file.hpp"
#include "flow/record_tally.hpp"
#include "formats/observation.hpp"

namespace korvath {

class MeasurementFile {
 public:
  explicit MeasurementFile(OutputFile& file) : file_(file) {}
  void write(const Observation& o);

 private:
  OutputFile& file_;
};

class StationMeasurementFile : public MeasurementFile {
  using MeasurementFile::MeasurementFile;
};
class PointMeasurementFile : public MeasurementFile {
  using MeasurementFile::MeasurementFile;
};

/// Both files of a measurement command, created when the conversion first asks for them (in
/// the early opening order they are already open and empty).
struct MeasurementOutputs {
  explicit MeasurementOutputs(Conversion& c) : stations(c.output(0)), points(c.output(1)) {}
  /// Writes to the station file or the point file by the shared routing rule.
  void write_routed(const Observation& o, const Where& where = {});

  StationMeasurementFile stations;
  PointMeasurementFile points;
};

/// The set-ups of a measurement download, for its account (RecordTally): each one counted as
/// used, and an observation before the first counted in a note (it has no station). When the
/// station file stays empty because every station is named by a number (the shots to such a
/// station go to the point file), the set-ups are counted in a note too (close()).
class SetupTally {
 public:
  explicit SetupTally(RecordTally& tally) : tally_(tally) {}
  /// A set-up of `station` at `where`.
  void set_up(const Value& station, const Where& where);
  /// An observation at `where`, written from the set-up read last.
  void observe(const Where& where) {
    if (!any_) before_set_up(where);
  }
  /// At the end of the conversion, before the tally's report.
  void close(const Conversion& c);

 private:
  void before_set_up(const Where& where);
  RecordTally& tally_;
  bool any_ = false, named_ = false;
  // The set-ups on numbered stations, by count and first line: a download of any length keeps
  // the same memory.
  std::uint64_t numbered_ = 0, first_numbered_ = 0;
};

}  // namespace korvath
