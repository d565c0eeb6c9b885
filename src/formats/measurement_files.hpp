// The station and point measurement files (.txm): one observation a line, eight values joined
// by ",", CR LF after every line. Each value keeps its form: text as held, a number as
// bare-number text, empty as nothing.
#pragma once

#include <string>

#include "flow/conversion.hpp"
#include "flow/output_file.hpp"
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

}  // namespace korvath
