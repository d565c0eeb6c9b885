// Which commands a file fits, best first: every command's signature over the start of the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "flow/advice.hpp"
#include "flow/command.hpp"
#include "flow/signature.hpp"

namespace korvath {

struct Detection {
  const ConversionCommand* command = nullptr;
  Fit fit;
};

/// The commands whose signature fits the prefix, best first: the higher score, then line ends
/// that suit the command (they tell the two Topcon raw commands apart), then the catalogue's
/// order. A binary prefix fits none.
std::vector<Detection> rank_commands(const Prefix& prefix);

/// The commands the file fits best and equally well: one for most downloads, several when the
/// same file serves several commands (an IDX file's measurements and its points), none when it
/// fits none. The user, or the outputs asked for, choose among several.
std::vector<Detection> best_commands(const Prefix& prefix);

/// Signatures that do not fit but say what came close (GSI words in lines the TC 600 command
/// rejects); empty for a binary prefix.
std::vector<Detection> near_misses(const Prefix& prefix);

/// What a file saved as "Unicode" by a Windows editor is: UTF-16 text, which no instrument
/// writes and no command reads as it should.
inline constexpr std::string_view kUtf16Text = "κείμενο UTF-16 (Unicode)";
/// Whether the prefix is UTF-16 text, known by its byte order mark.
bool is_utf16(const Prefix& prefix);

/// The command the file at `path` fits best; none when it fits none or cannot be read.
std::optional<Detection> best_fit(const std::string& path);

/// The best command for the file when it fits that one better than `chosen` (or fits it and not
/// `chosen`); none otherwise, and none when the file cannot be read.
std::optional<Detection> better_fit(const std::string& path, const ConversionCommand& chosen);

/// Whether the chosen command's signature explains every line of the prefix: no command fits
/// such a file better, so detector_advice().fits_better has nothing to say about it. One
/// signature instead of every command's: the quick first question it and better_fit ask.
bool explained_in_full(const Prefix& prefix, const ConversionCommand& chosen);

/// The detector's answers as the flow's reports take them: what a file looks like ("TOPCON /
/// GPT 3000 RAW (topcon-gts3000-raw)") and which command it fits better, with the evidence.
InputAdvice detector_advice();

}  // namespace korvath
