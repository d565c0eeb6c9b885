#include "platform/console_platform.hpp"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <istream>
#include <ostream>
#include <string>

#include "flow/interruption.hpp"

namespace korvath {

bool ConsolePlatform::ask_yes_no(std::string_view text, std::string_view title) {
  ScriptedPlatform::ask_yes_no(text, title);
  if (overwrite_ != OverwriteAnswer::ask) return overwrite_ == OverwriteAnswer::yes;
  std::unique_lock<std::mutex> one_question_at_a_time;
  if (lock_) one_question_at_a_time = std::unique_lock(*lock_);
  std::ostream& prompt = prompt_ ? *prompt_ : err_;
  prompt << "korvath: ";
  if (!asking_about_.empty()) prompt << "«" << asking_about_ << "»: ";
  prompt << title << ' ' << text << " [Ν/ο] " << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) {
    check_interruption();  // a Ctrl-C at the question ends the run, it is no answer
    return false;          // no one to answer: keep the file
  }
  return answer.empty() || answer == "ν" || answer == "Ν" || answer == "ναι" || answer == "ΝΑΙ" ||
         answer == "y" || answer == "Y" || answer == "yes";
}

bool ConsolePlatform::ask_overwrite(const std::string& path) {
  asking_about_ = path;
  const bool yes = Platform::ask_overwrite(path);
  asking_about_.clear();
  if (!yes) kept_ = path;
  return yes;
}

void ConsolePlatform::show_message(std::string_view text, std::string_view title, Icon icon,
                                   std::string_view details) {
  ScriptedPlatform::show_message(text, title, icon, details);
  std::ostream& to = icon == Icon::information ? out_ : err_;
  // A refusal or a rejected input names its file: each of its lines says who speaks.
  const std::string_view speaker = icon == Icon::error ? "korvath: " : "";
  to << speaker << text << '\n';
  for (std::size_t start = 0; start < details.size();) {
    const std::size_t end = std::min(details.find('\n', start), details.size());
    to << speaker << details.substr(start, end - start) << '\n';
    start = end + 1;
  }
  to << std::flush;
}

namespace {

// A folder of an installed program is no place for scratch files, even for root who may write
// there: they would outlive the package.
bool is_installed_place(const std::string& folder) {
  for (std::string_view system : {"/usr/", "/bin", "/sbin", "/opt/", "/snap/"})
    if (folder.starts_with(system)) return true;
  return false;
}

// The user's own folder, for the last resort: made private, and used only while it is a real
// folder of this user that nobody else can enter.
bool is_private_folder(const std::string& folder) {
  struct stat info {};
  return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
         (info.st_mode & 077) == 0;
}

std::string home_folder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* user = getpwuid(geteuid()); user && user->pw_dir && *user->pw_dir)
    return user->pw_dir;
  return {};
}

}  // namespace

std::string default_scratch_folder() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  std::string exe_folder = exe.parent_path().string();
  if (!error && !is_installed_place(exe_folder) && access(exe_folder.c_str(), W_OK) == 0)
    return exe_folder;
  fs::path cache;
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg) {
    cache = xdg;
  } else if (const std::string home = home_folder(); !home.empty()) {
    cache = fs::path(home) / ".cache";
  }
  if (!cache.empty()) {
    cache /= "korvath";
    fs::create_directories(cache, error);
    if (!error && access(cache.c_str(), W_OK) == 0) return cache.string();
  }
  // No home at all: a folder of this user's own in the temporary folder, never a shared one.
  const fs::path temp = fs::temp_directory_path(error);
  std::string own =
      (error ? fs::path("/tmp") : temp).string() + "/korvath-" + std::to_string(geteuid());
  mkdir(own.c_str(), 0700);
  if (is_private_folder(own)) return own;
  // Someone else holds that name: the first of a few more that is this user's own, made once and
  // used again by every later run. When all of them are held too, a fresh private folder (or,
  // failing that, a name where no scratch file can be made, so the conversion stops and says so).
  for (int n = 1; n <= 9; ++n) {
    std::string other = own + "-" + std::to_string(n);
    mkdir(other.c_str(), 0700);
    if (is_private_folder(other)) return other;
  }
  std::string fresh = own + "-XXXXXX";
  if (mkdtemp(fresh.data()) == nullptr) return own + "-XXXXXX";
  return fresh;
}

}  // namespace korvath
