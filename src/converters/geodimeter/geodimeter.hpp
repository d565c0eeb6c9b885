// The Geodimeter converters, one function per command.
#pragma once

#include "flow/signature.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::geodimeter {

/// Geodimeter job or area file with observations -> station and point measurement files.
void convert_measurements(Conversion& c);
/// Geodimeter job or area file -> coordinate file of every block with coordinates.
void convert_coordinates(Conversion& c);

/// What each command's format looks like in the first lines of a file (`korvath detect`).
Fit measurements_signature(const Prefix& prefix);
Fit coordinates_signature(const Prefix& prefix);

}  // namespace korvath::geodimeter
