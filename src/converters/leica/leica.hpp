// The Leica converters, one function per command.
#pragma once

#include <string>

#include "flow/command.hpp"
#include "flow/signature.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::leica {

/// Wild/Leica TC 600: every line is 64, 112 or 0 characters long.
std::optional<Rejection> validate_tc600(const std::string& input_path);
/// Wild/Leica TC 600 download -> station and point measurement files.
void convert_tc600(Conversion& c);

/// Leica GSI-8 / GSI-16 download of any word mask -> station and point measurement files.
void convert_gsi(Conversion& c);
/// Leica GSI-8 / GSI-16 download -> coordinate file (target and station coordinates).
void convert_gsi_coordinates(Conversion& c);

/// Leica TCR 307 download -> station and point measurement files.
void convert_tcr307(Conversion& c);
/// Leica TCR 407 IDX exchange file (SETUP blocks, SLOPE tables) -> measurement files.
void convert_tcr407_idx(Conversion& c);
/// Leica TCR 407 MDT file -> station and point measurement files.
void convert_tcr407_mdt(Conversion& c);
/// Leica TCR 407 IDX exchange file (POINTS table) -> coordinate file.
void convert_tcr407_coords(Conversion& c);

/// What each command's format looks like in the first lines of a file (`korvath detect`).
Fit tc600_signature(const Prefix& prefix);
Fit gsi_signature(const Prefix& prefix);
Fit gsi_coordinates_signature(const Prefix& prefix);
/// The GSI command that reads a file of GSI words best ("leica-gsi", or "leica-gsi-coords" for
/// one of coordinates only); empty when the file is not one.
std::string_view gsi_command(const Prefix& prefix);
Fit tcr307_signature(const Prefix& prefix);
Fit tcr407_idx_signature(const Prefix& prefix);
Fit tcr407_mdt_signature(const Prefix& prefix);
Fit tcr407_coords_signature(const Prefix& prefix);

}  // namespace korvath::leica
