// `korvath convert auto`: the command a download picks by its first bytes, as the window picks
// it, or why it picks none.
#pragma once

#include <cstddef>
#include <string>

#include "flow/command.hpp"

namespace korvath {

/// The word that stands for the command in `korvath convert auto ...`.
inline constexpr std::string_view kAutoCommand = "auto";

struct Pick {
  const ConversionCommand* command = nullptr;  // null: no single command, `why` says so
  std::string picked;                          // the report's line naming the command
  std::string why;                             // the error line, ending in a line end
  int status = 0;                              // the exit status when no command was picked
};

/// The one command that fits `input` best. Among commands that fit equally well, `outputs` (the
/// number of outputs given; 0 when the command names them, as with --to) settles between a
/// measurement and a coordinate command when that leaves exactly one. An unreadable file fails
/// with status 1, a file that fits none with 3 (an invalid input), a tie with 2 (the call must
/// name the command).
Pick pick_command(const std::string& input, std::size_t outputs);

}  // namespace korvath
