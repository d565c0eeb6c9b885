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

/// Leica TCR 307 download -> station and point measurement files.
void convert_tcr307(Conversion& c);
/// Leica TCR 407 IDX exchange file (SETUP blocks, SLOPE tables) -> measurement files.
void convert_tcr407_idx(Conversion& c);
/// Leica TCR 407 MDT file -> station and point measurement files.
void convert_tcr407_mdt(Conversion& c);
/// Leica TCR 407 IDX exchange file (POINTS table) -> coordinate file.
void convert_tcr407_coords(Conversion& c);

}  // namespace korvath::leica
