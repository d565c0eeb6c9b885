#include "app/worker_platform.hpp"

#include <QThread>
#include <utility>

namespace korvath {

WorkerPlatform::WorkerPlatform(Platform& shown, QObject& window, std::optional<std::string> input,
                               std::function<void(bool asking)> asking)
    : shown_(shown), window_(window), preset_(std::move(input)), asking_(std::move(asking)) {
  if (preset_) input_ = *preset_;
}

template <typename Call>
auto WorkerPlatform::on_window_thread(Call call, bool then_more) -> decltype(call()) {
  decltype(call()) answer{};
  const auto ask = [&] {
    asking_(true);
    answer = call();
    if (then_more) asking_(false);
  };
  if (QThread::currentThread() == window_.thread()) {
    ask();  // already there: a blocking call to itself would never return
  } else {
    QMetaObject::invokeMethod(&window_, ask, Qt::BlockingQueuedConnection);
  }
  return answer;
}

std::optional<std::string> WorkerPlatform::ask_open_path(std::string_view title,
                                                         std::string_view filter) {
  if (preset_) return std::exchange(preset_, std::nullopt);
  return on_window_thread([&] {
    auto chosen = shown_.ask_open_path(title, filter);
    if (chosen) input_ = *chosen;
    return chosen;
  });
}

std::optional<std::string> WorkerPlatform::ask_save_path(std::string_view title,
                                                         std::string_view filter,
                                                         const std::string& suggested) {
  return on_window_thread([&] { return shown_.ask_save_path(title, filter, suggested); });
}

bool WorkerPlatform::ask_yes_no(std::string_view text, std::string_view title) {
  return on_window_thread([&] { return shown_.ask_yes_no(text, title); });
}

bool WorkerPlatform::ask_overwrite(const std::string& path) {
  return on_window_thread([&] { return shown_.ask_overwrite(path); });
}

void WorkerPlatform::show_message(std::string_view text, std::string_view title, Icon icon,
                                  std::string_view details) {
  on_window_thread(
      [&] {
        shown_.show_message(text, title, icon, details);
        return true;
      },
      false);
}

bool WorkerPlatform::show_message_with_action(std::string_view action, std::string_view text,
                                              std::string_view title, Icon icon,
                                              std::string_view details) {
  return on_window_thread(
      [&] { return shown_.show_message_with_action(action, text, title, icon, details); }, false);
}

std::string WorkerPlatform::program_folder() {
  return on_window_thread([&] { return shown_.program_folder(); });
}

}  // namespace korvath
