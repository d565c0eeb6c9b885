// The FOIF converters: one job file (.mes) gives the measurements and the coordinates.
#pragma once

#include "flow/signature.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::foif {

/// FOIF job file -> station and point measurement files.
void convert_measurements(Conversion& c);
/// FOIF job file -> coordinate file: set-ups, backsight points and the points the instrument
/// computed.
void convert_coordinates(Conversion& c);

/// What the commands' format looks like in the first lines of a file (`korvath detect`): the
/// same file serves both, the measurement command first when it holds observations.
Fit measurements_signature(const Prefix& prefix);
Fit coordinates_signature(const Prefix& prefix);

}  // namespace korvath::foif
