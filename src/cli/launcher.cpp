#include "cli/launcher.hpp"

#include <unistd.h>

#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace korvath {
namespace {

bool is_command_word(std::string_view word) {
  return word == "list" || word == "detect" || word == "convert";
}

bool exists(const char* path) {
  struct stat info {};
  return ::stat(path, &info) == 0;
}

// The folder of this executable, with its separator: the window lies beside it in the build
// folder, and at KORVATH_WINDOW_FROM_BIN from it once installed.
std::string own_folder() {
  std::string path(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

bool wants_window(int argc, const char* const* argv) {
  if (argc <= 1) return true;
  const std::string_view first = argv[1];
  return !first.empty() && first.front() != '-' && !is_command_word(first) && exists(argv[1]);
}

bool open_window(char** argv) {
  constexpr std::string_view kFromBin = KORVATH_WINDOW_FROM_BIN;  // empty: built without it
  const std::string folder = own_folder();
  if (kFromBin.empty() || folder.empty()) return false;
  for (const std::string& window : {folder + "korvath-window", folder + std::string(kFromBin)}) {
    if (::access(window.c_str(), X_OK) != 0) continue;
    ::execv(window.c_str(), argv);
    std::fprintf(stderr, "korvath: το παράθυρο δεν ξεκίνησε: «%s»: %s\n", window.c_str(),
                 std::strerror(errno));
    return true;
  }
  return false;
}

}  // namespace korvath
