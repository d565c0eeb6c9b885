// The Sokkia converters, one function per command.
#pragma once

#include <optional>
#include <string>

#include "flow/command.hpp"
#include "flow/signature.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::sokkia {

/// SDR33 field book: the first record must be an SDR33 header whose units the commands read.
std::optional<Rejection> validate_sdr33(const std::string& input_path);
/// SDR33 field book: set-ups (02), backsights (07), target heights (03) and observations (09)
/// -> station and point measurement files.
void convert_sdr33_measurements(Conversion& c);
/// SDR33 field book: station (02) and point (08) coordinates -> coordinate file.
void convert_sdr33_coordinates(Conversion& c);

/// What each command's format looks like in the first lines of a file (`korvath detect`).
Fit sdr33_measurements_signature(const Prefix& prefix);
Fit sdr33_coordinates_signature(const Prefix& prefix);

}  // namespace korvath::sokkia
