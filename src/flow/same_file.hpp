#pragma once

#include <string>

namespace korvath {

/// Whether two paths name the same file: the same file on disk when both exist (a link or
/// "./x" included), otherwise the same normalised absolute path once symbolic links are
/// followed, also a link to a file that does not exist yet (writing through it creates that).
bool same_file(const std::string& a, const std::string& b);

}  // namespace korvath
