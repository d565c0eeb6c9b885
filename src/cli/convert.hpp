// `korvath convert`: one conversion whose dialogs the arguments answer, and its report.
#pragma once

#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

#include "flow/command.hpp"
#include "platform/console_platform.hpp"

namespace korvath {

struct ConvertSettings {
  const ConversionCommand* command = nullptr;  // null in a batch: each file picks its own (auto)
  OverwriteAnswer overwrite = OverwriteAnswer::no;
  std::string scratch_folder;
  bool picked = false;  // the file's first bytes chose the command: none fits it better
};

struct Streams {
  std::istream& in;
  std::ostream& out;  // the outputs with their lines, the success message
  std::ostream& err;  // warnings, notes, causes, refusals
};

/// Where the overwrite question goes when the report goes elsewhere (several files at once):
/// null members ask on the report's `err`.
struct Questions {
  std::ostream* prompt = nullptr;
  std::mutex* lock = nullptr;
};

/// The --overwrite value ("ask", "yes", "no"); without one, asks only on a terminal.
OverwriteAnswer overwrite_answer(const std::string& value);

/// Converts `input` to `outputs` (the names as given, before the extension rule) and prints the
/// report of a single conversion. Returns the exit status (see ExitStatus).
int convert_file(const ConvertSettings& settings, const std::string& input,
                 const std::vector<std::string>& outputs, const Streams& io,
                 Questions questions = {});

}  // namespace korvath
