#include "flow/same_file.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string_view>

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

// The file name of a path that names nothing yet, not even a link, in a folder that exists:
// its resolved path is that folder's with this name last. Empty for any other path.
std::string_view new_name(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 || errno != ENOENT) return {};
  const std::size_t slash = path.rfind('/');
  const std::string_view name = std::string_view(path).substr(slash + 1);
  if (name.empty() || name == "." || name == "..") return {};
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : path.substr(0, slash);
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? name : std::string_view();
}

}  // namespace

bool same_file(const std::string& a, const std::string& b) {
  std::error_code error;
  const bool a_exists = fs::exists(a, error);
  const bool b_exists = fs::exists(b, error);
  if (a_exists && b_exists) {
    const bool same = fs::equivalent(a, b, error);
    if (!error) return same;
  }
  // The usual question, a new output against the input or a scratch file, or two new outputs,
  // answered without resolving either path: a new name that resolved to an existing file would
  // find it there, and two new names that differ end their resolved paths differently.
  if (a_exists != b_exists && !new_name(a_exists ? b : a).empty()) return false;
  if (!a_exists && !b_exists) {
    const std::string_view name_a = new_name(a), name_b = new_name(b);
    if (!name_a.empty() && !name_b.empty() && name_a != name_b) return false;
  }
  return resolved(a) == resolved(b);
}

}  // namespace korvath
