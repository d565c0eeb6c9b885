// Running one command to its end: the one place where a conversion's failure is caught.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "flow/command.hpp"
#include "flow/conversion.hpp"
#include "flow/conversion_error.hpp"
#include "flow/platform.hpp"

namespace korvath {

struct Outcome {
  enum class Status {
    converted,      // all files written and closed
    failed,         // the error path: `error` says why
    invalid_input,  // the validation pass rejected the input (message shown)
    ended,          // empty input path or overwrite declined: nothing shown
    refused,        // an output named the input, the other output or a scratch file (shown)
    not_built,      // the command's converter does not exist yet (shown)
  };
  Status status = Status::ended;
  std::optional<ConversionError> error;
  std::vector<WrittenFile> written;        // converted: each output with the lines written
  std::vector<Note> notes;                 // converted: what the user should know besides
  std::optional<std::string> looks_like;   // converted with no line written: what the input fits
  std::optional<std::string> fit_warning;  // the input does not fit the command, or fits another
                                           // better (Conversion::fit_warning)
  std::vector<WrittenFile> left;           // failed: each output opened, with the lines it holds
  bool empty_input = false;                // converted or failed: the input holds nothing
  std::string input;                       // the input as the user named it; empty before
  const ConversionCommand* instead = nullptr;  // the command the user chose to run instead
};

/// The caption of the final box's second button: "Μετατροπή ως LEICA / TC 600".
std::string convert_as_text(const OtherCommand& other);

/// A conversion that went through but wrote no line to any output: most often the wrong command.
bool wrote_nothing(const Outcome& outcome);

/// Runs the flow and the conversion, without the final success message: the command line puts
/// its file report before it. Every file is closed when it returns.
Outcome run_conversion(const ConversionCommand& command, Platform& ui,
                       const InputAdvice& advice = {});

/// The whole command as the menu runs it: run_conversion, then the success message with the
/// lines written and the notes, or on the error path (not a cancelled dialog) the cause. After
/// a failure or a warning that the file does not fit, the box offers the command
/// `advice.instead` names; `instead` is set when the user chose it (the caller runs it).
Outcome run_command(const ConversionCommand& command, Platform& ui, const InputAdvice& advice = {});

/// The text shown for a command whose converter is not built yet.
std::string not_built_text(const ConversionCommand& command);

}  // namespace korvath
