// `korvath detect`: which commands each file fits, read from its first 64 KiB.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvath {

/// For each file ("-": standard input) the commands it fits, best first, with what was seen;
/// with `id_only`, the best command's id alone on one line and nothing else. Returns 0, or 1 when
/// a file fits none or cannot be read.
int detect_files(const std::vector<std::string>& files, bool id_only, std::ostream& out,
                 std::ostream& err);

}  // namespace korvath
