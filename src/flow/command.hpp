// One menu command: an input format, its open dialog, its outputs and how they are opened.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "flow/signature.hpp"

namespace korvath {

class Conversion;

enum class Outputs { measurements, coordinates };

/// Early: each output is created right after its own dialog and confirmation.
/// Late: the converter creates its outputs when its conversion needs them.
enum class Opening { early, late };

/// The command's own line end. A file reads as if every line end in it (CR LF, CR, LF) were
/// this one, so a download converts the same whichever line ends it passed through.
enum class LineEnds {
  crlf,     // lines, or items across lines
  bare_lf,  // records separated by bare line feeds (the Topcon rich-text commands)
};

/// Why the validation pass rejected an input: the first line that fails, and what is wrong with
/// it ("έχει 176 χαρακτήρες…").
struct Rejection {
  std::uint64_t line = 0;
  std::string reason;
};

struct ConversionCommand {
  std::string_view id;         // "leica-tc600": the command line and the tests
  std::string_view menu_name;  // "mnuLEICATC600": the menu item's object name
  std::string_view menu_path;  // "LEICA" or "LEICA/TCR 407": the menus that hold the item
  std::string_view caption;    // "TC 600"
  std::string_view open_title, open_filter;  // filter as "label|pattern|"
  Outputs outputs = Outputs::measurements;
  Opening opening = Opening::late;
  LineEnds line_ends = LineEnds::crlf;
  /// Scratch files the command writes in the program's folder, each a name beginning with "/".
  std::array<std::string_view, 2> scratch_files{};
  /// Writes the `OdrFile` beside the point file (the Pentax measurement commands).
  bool odr_listing = false;
  /// Checks the whole input before any output dialog; a rejection stops the command (the TC 600
  /// command).
  std::optional<Rejection> (*validate)(const std::string& input_path) = nullptr;
  /// The conversion itself; nullptr while the converter is not built (listed, refuses to run).
  void (*convert)(Conversion&) = nullptr;
  /// Tells from the start of a file whether it is in this command's format (`korvath detect`).
  Signature signature = nullptr;
};

}  // namespace korvath
