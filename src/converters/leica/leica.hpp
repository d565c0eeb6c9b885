// The Leica converters, one function per command.
#pragma once

#include <string>

namespace korvath {
class Conversion;
}

namespace korvath::leica {

/// Wild/Leica TC 600: every line is 64, 112 or 0 characters long.
bool validate_tc600(const std::string& input_path);
/// Wild/Leica TC 600 download -> station and point measurement files.
void convert_tc600(Conversion& c);

}  // namespace korvath::leica
