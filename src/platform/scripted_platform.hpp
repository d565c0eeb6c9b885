// A platform whose dialogs are answered in advance: the command line's arguments, or a test's
// script. Records every question and message, in order.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "flow/platform.hpp"

namespace korvath {

class ScriptedPlatform : public Platform {
 public:
  struct Message {
    std::string text, title;
    Icon icon;
    std::string details;
    std::string action;  // the second button's caption; empty: OK alone
  };

  /// nullopt answers a dialog with Cancel; a dialog with no answer left is cancelled too.
  std::deque<std::optional<std::string>> open_answers, save_answers;
  std::deque<bool> yes_no_answers;  // none left: Yes, the default button
  std::deque<bool> action_answers;  // none left: OK, not the second button
  std::string folder = ".";

  std::vector<std::string> dialog_titles;  // every dialog and question, in order
  std::vector<Message> messages;
  std::vector<std::string> suggested_paths;  // what each save dialog was pre-filled with

  std::optional<std::string> ask_open_path(std::string_view title,
                                           std::string_view filter) override;
  std::optional<std::string> ask_save_path(std::string_view title, std::string_view filter,
                                           const std::string& suggested) override;
  bool ask_yes_no(std::string_view text, std::string_view title) override;
  void show_message(std::string_view text, std::string_view title, Icon icon,
                    std::string_view details = {}) override;
  bool show_message_with_action(std::string_view action, std::string_view text,
                                std::string_view title, Icon icon,
                                std::string_view details) override;
  std::string program_folder() override { return folder; }

 private:
  static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers);
};

}  // namespace korvath
