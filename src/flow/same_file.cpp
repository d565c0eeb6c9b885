#include "flow/same_file.hpp"

#include <filesystem>

namespace korvath {
namespace {

namespace fs = std::filesystem;

// The absolute path with symbolic links followed, also a link whose target does not exist
// yet: opening the link for writing would create that target, so the link names it.
fs::path resolved(const std::string& path) {
  std::error_code error;
  fs::path p = fs::absolute(path, error);
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(p, error)); ++hops) {
    const fs::path target = fs::read_symlink(p, error);
    if (error) break;
    p = target.is_absolute() ? target : p.parent_path() / target;
  }
  return fs::weakly_canonical(p, error);
}

}  // namespace

bool same_file(const std::string& a, const std::string& b) {
  std::error_code error;
  if (fs::exists(a, error) && fs::exists(b, error)) {
    const bool same = fs::equivalent(a, b, error);
    if (!error) return same;
  }
  return resolved(a) == resolved(b);
}

}  // namespace korvath
