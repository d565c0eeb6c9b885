// Runs the real `korvath convert`, to compare the window's files with the command line's.
#pragma once

#include <string>
#include <vector>

namespace korvath::test {

/// The exit status of `korvath convert <id> <input> <outputs...> --overwrite yes
/// --scratch-dir <folder>`, its output silenced.
int convert_with_binary(const std::string& id, const std::string& input,
                        const std::vector<std::string>& outputs, const std::string& folder);

/// The example instrument file of a command, examples/<id>.<ext>.
std::string example_path(const std::string& file_name);

}  // namespace korvath::test
