// The South converter.
#pragma once

#include "flow/signature.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::south {

/// South measurement file of blank-separated records -> station and point measurement files.
void convert_measurements(Conversion& c);

/// What the command's format looks like in the first lines of a file (`korvath detect`).
Fit measurements_signature(const Prefix& prefix);

}  // namespace korvath::south
