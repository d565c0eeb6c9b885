#include "platform/scripted_platform.hpp"

namespace korvath {

std::optional<std::string> ScriptedPlatform::next(std::deque<std::optional<std::string>>& answers) {
  if (answers.empty()) return std::nullopt;
  auto answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedPlatform::ask_open_path(std::string_view title,
                                                           std::string_view) {
  dialog_titles.emplace_back(title);
  return next(open_answers);
}

std::optional<std::string> ScriptedPlatform::ask_save_path(std::string_view title, std::string_view,
                                                           const std::string& suggested) {
  dialog_titles.emplace_back(title);
  suggested_paths.push_back(suggested);
  return next(save_answers);
}

bool ScriptedPlatform::ask_yes_no(std::string_view, std::string_view title) {
  dialog_titles.emplace_back(title);
  if (yes_no_answers.empty()) return true;
  const bool answer = yes_no_answers.front();
  yes_no_answers.pop_front();
  return answer;
}

void ScriptedPlatform::show_message(std::string_view text, std::string_view title, Icon icon,
                                    std::string_view details) {
  messages.push_back({std::string(text), std::string(title), icon, std::string(details), {}});
}

bool ScriptedPlatform::show_message_with_action(std::string_view action, std::string_view text,
                                                std::string_view title, Icon icon,
                                                std::string_view details) {
  show_message(text, title, icon, details);  // as a derived platform shows a message
  messages.back().action = action;
  if (action_answers.empty()) return false;
  const bool answer = action_answers.front();
  action_answers.pop_front();
  return answer;
}

}  // namespace korvath
