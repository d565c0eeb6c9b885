// What a front end knows of the formats, for the reports: the flow itself reads no format, so
// the window and the command line hand it the detector's answers.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "flow/command.hpp"

namespace korvath {

/// The start of the button that runs the offered command: "Μετατροπή ως LEICA / TC 600".
inline constexpr std::string_view kConvertAs = "Μετατροπή ως ";

/// A command the front end can offer to run instead, with its label as the menu shows it.
struct OtherCommand {
  const ConversionCommand* command = nullptr;
  std::string label;  // "LEICA / TCR 407 / IDX FILE"
};

struct InputAdvice {
  /// What the file at `path` looks like ("GPT 3000 RAW (topcon-gts3000-raw)"), when it fits a
  /// command.
  std::function<std::optional<std::string>(const std::string& path)> looks_like;
  /// The command the file fits better than `chosen`, worded with its evidence, when there is
  /// one.
  std::function<std::optional<std::string>(const std::string& path,
                                           const ConversionCommand& chosen)>
      fits_better;
  /// The command to offer instead of `chosen` when a run failed or the file does not fit: the
  /// one the file fits best, when that is another. Unset: nothing is offered (the command line).
  std::function<std::optional<OtherCommand>(const std::string& path,
                                            const ConversionCommand& chosen)>
      instead;
};

}  // namespace korvath
