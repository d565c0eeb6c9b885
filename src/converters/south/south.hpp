// The South converter.
#pragma once

namespace korvath {
class Conversion;
}

namespace korvath::south {

/// South measurement file of blank-separated records -> station and point measurement files.
void convert_measurements(Conversion& c);

}  // namespace korvath::south
