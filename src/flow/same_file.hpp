#pragma once

#include <string>

namespace korvath {

/// Whether two paths name the same file: the same file on disk when both exist (a link or
/// "./x" included), otherwise the same normalised absolute path.
bool same_file(const std::string& a, const std::string& b);

}  // namespace korvath
