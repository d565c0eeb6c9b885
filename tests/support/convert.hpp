// Runs one command of the catalogue on given bytes, in a private temporary folder, with the
// dialogs answered: input "input.dat", outputs "stations", "points" (or "coords"), overwrite
// Yes, scratch files in the same folder.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "flow/run.hpp"
#include "platform/scripted_platform.hpp"
#include "support/files.hpp"

namespace korvath::test {

struct Converted {
  Outcome::Status status;
  std::optional<ConversionError> error;
  std::vector<std::string> outputs;  // final output paths, in dialog order
  std::unique_ptr<TempDir> dir;
  ScriptedPlatform ui;
  std::vector<Note> notes;                 // converted: what the user is told besides
  std::optional<std::string> fit_warning;  // the input does not fit the command (with advice)
  std::vector<WrittenFile> written;        // converted: each output with the lines it holds

  /// Content of output i ("" when the file does not exist).
  std::string file(std::size_t i) const;
};

/// A private folder with one input file, and the platform that answers a command's dialogs:
/// the input first, then the outputs `save` names; every overwrite question Yes.
struct Session {
  TempDir dir;
  ScriptedPlatform ui;
  std::string input;

  Session(std::string_view input_name, std::string_view bytes);
  void save(const std::vector<std::string_view>& names);
  /// A file of the folder; "<missing>" when there is none.
  std::string out(std::string_view name) const;
};

/// `advice`: the detector's, for the warning that the input does not fit the command.
Converted convert_bytes(std::string_view command_id, std::string_view input,
                        const InputAdvice& advice = {});

}  // namespace korvath::test
