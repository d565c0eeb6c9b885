// The one table of conversion commands, read by the menu, the command line and the tests.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "flow/command.hpp"

namespace korvath {

/// Every command, in the order of the command line's list.
std::span<const ConversionCommand> catalogue();

/// The menus and the item as the user sees them: "LEICA / TCR 407 / IDX FILE".
std::string menu_label(const ConversionCommand& command);

/// Where a menu path names its last menu: the position of the last "/" between two menus, or
/// npos for a menu of the menu bar. A "/" with a blank on each side belongs to a caption:
/// "LEICA/GSI-8 / GSI-16" is the menu "GSI-8 / GSI-16" inside LEICA.
std::size_t last_menu_separator(std::string_view path);

/// The command with this id ("leica-tc600") or menu name ("mnuLEICATC600"); nullptr if none.
const ConversionCommand* find_command(std::string_view id_or_menu_name);

}  // namespace korvath
