// The command line's platform: the dialogs are answered by the arguments, the overwrite
// question by --overwrite (or on the terminal), messages go to standard output (information)
// or standard error (errors, after "korvath: "), their details on the lines below.
#pragma once

#include <iosfwd>

#include "platform/scripted_platform.hpp"

namespace korvath {

enum class OverwriteAnswer { ask, yes, no };

class ConsolePlatform : public ScriptedPlatform {
 public:
  ConsolePlatform(OverwriteAnswer overwrite, std::istream& in, std::ostream& out, std::ostream& err)
      : overwrite_(overwrite), in_(in), out_(out), err_(err) {}

  bool ask_yes_no(std::string_view text, std::string_view title) override;
  void show_message(std::string_view text, std::string_view title, Icon icon,
                    std::string_view details = {}) override;

 private:
  OverwriteAnswer overwrite_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
};

/// The folder for scratch files: the executable's folder when it is writable, else the user's
/// cache folder ($XDG_CACHE_HOME/korvath, else ~/.cache/korvath), created when missing.
std::string default_scratch_folder();

}  // namespace korvath
