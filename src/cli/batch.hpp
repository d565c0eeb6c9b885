// `korvath convert COMMAND --to DIR FILE...`: each file its own conversion, named after the file.
#pragma once

#include <string>
#include <vector>

#include "cli/convert.hpp"

namespace korvath {

/// Converts every file, up to `jobs` at once, and prints each file's report whole, in the files'
/// order, then one summary line. Returns 0 when every file converted, else the exit status of
/// the first that did not.
int convert_batch(const ConvertSettings& settings, const std::vector<std::string>& files,
                  const std::string& folder, unsigned jobs, const Streams& io);

}  // namespace korvath
