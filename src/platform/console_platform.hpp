// The command line's platform: the dialogs are answered by the arguments, the overwrite
// question by --overwrite (or on the terminal), messages go to standard output (information)
// or standard error (errors, after "korvath: "), their details on the lines below.
#pragma once

#include <iosfwd>
#include <mutex>
#include <string>

#include "platform/scripted_platform.hpp"

namespace korvath {

enum class OverwriteAnswer { ask, yes, no };

class ConsolePlatform : public ScriptedPlatform {
 public:
  ConsolePlatform(OverwriteAnswer overwrite, std::istream& in, std::ostream& out, std::ostream& err)
      : overwrite_(overwrite), in_(in), out_(out), err_(err) {}

  bool ask_yes_no(std::string_view text, std::string_view title) override;
  /// Names the file before the question; remembers it when the answer keeps it.
  bool ask_overwrite(const std::string& path) override;
  void show_message(std::string_view text, std::string_view title, Icon icon,
                    std::string_view details = {}) override;
  bool knows_every_answer() const override { return true; }

  /// Asks the overwrite question on `prompt`, one conversion at a time under `lock`, while the
  /// conversions' reports go to their own streams (several files at once).
  void ask_on(std::ostream& prompt, std::mutex& lock) {
    prompt_ = &prompt;
    lock_ = &lock;
  }
  /// The file kept when an overwrite was declined; empty when none was.
  const std::string& kept() const { return kept_; }

 private:
  OverwriteAnswer overwrite_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  std::ostream* prompt_ = nullptr;
  std::mutex* lock_ = nullptr;
  std::string asking_about_, kept_;
};

/// The folder for scratch files: the executable's folder when it is writable, else the user's
/// cache folder ($XDG_CACHE_HOME/korvath, else ~/.cache/korvath), created when missing.
std::string default_scratch_folder();

}  // namespace korvath
