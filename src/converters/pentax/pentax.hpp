// The Pentax converters, one function per command.
#pragma once

#include "flow/signature.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::pentax {

/// Measurement download of keyed lines (key in positions 5 to 7) -> station and point
/// measurement files and the `.ODR` listing.
void convert_measurements(Conversion& c);
/// Traverse measurement listing of "KEY:value" lines -> the same three files.
void convert_measurements_traverse(Conversion& c);
/// Comma-separated coordinate download, six items a point -> coordinate file.
void convert_coordinates(Conversion& c);
/// Traverse coordinate listing of colon-separated point lines -> coordinate file.
void convert_coordinates_traverse(Conversion& c);

/// What each command's format looks like in the first lines of a file (`korvath detect`).
Fit measurements_signature(const Prefix& prefix);
Fit measurements_traverse_signature(const Prefix& prefix);
Fit coordinates_signature(const Prefix& prefix);
Fit coordinates_traverse_signature(const Prefix& prefix);

}  // namespace korvath::pentax
