// `korvath list | detect | convert`: the dialogs of a command answered from the command line.
#pragma once

#include <iosfwd>

namespace korvath {

/// Exit statuses of `korvath convert`; `korvath detect` uses 0, 1 (a file fits no command or
/// cannot be read) and 2.
enum ExitStatus : int {
  kExitConverted = 0,
  kExitFailed = 1,  // the error path, a refused output, a command not built yet
  kExitUsage = 2,
  kExitInvalid = 3,       // the validation pass rejected the input
  kExitNotConverted = 4,  // overwrite declined or empty input path
};

/// What every start of the program sets first: system error texts in the user's language
/// (LC_MESSAGES only: numbers are read and written without a locale), and a file-size limit
/// reported as a failed write instead of ending the process.
void prepare_process();

int run_cli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err);

}  // namespace korvath
