#include "platform/console_platform.hpp"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <istream>
#include <ostream>
#include <string>

namespace korvath {

bool ConsolePlatform::ask_yes_no(std::string_view text, std::string_view title) {
  ScriptedPlatform::ask_yes_no(text, title);
  if (overwrite_ != OverwriteAnswer::ask) return overwrite_ == OverwriteAnswer::yes;
  err_ << "korvath: " << title << ' ' << text << " [Ν/ο] " << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) return false;  // no one to answer: keep the file
  return answer.empty() || answer == "ν" || answer == "Ν" || answer == "ναι" || answer == "ΝΑΙ" ||
         answer == "y" || answer == "Y" || answer == "yes";
}

void ConsolePlatform::show_message(std::string_view text, std::string_view title, Icon icon,
                                   std::string_view details) {
  ScriptedPlatform::show_message(text, title, icon, details);
  std::ostream& to = icon == Icon::information ? out_ : err_;
  if (icon == Icon::error) to << "korvath: ";  // a refusal or a rejected input names its file
  to << text << '\n';
  if (!details.empty()) to << details << '\n';
  to << std::flush;
}

std::string default_scratch_folder() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (!error && access(exe.parent_path().c_str(), W_OK) == 0) return exe.parent_path().string();
  fs::path cache;
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg) {
    cache = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    cache = fs::path(home) / ".cache";
  } else {
    cache = fs::temp_directory_path(error);
  }
  cache /= "korvath";
  fs::create_directories(cache, error);
  return cache.string();
}

}  // namespace korvath
