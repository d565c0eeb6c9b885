// What a conversion running on a worker thread sees of the window: every dialog and box is
// shown by the window's own platform on the window's thread, while the worker waits for the
// answer. The open dialog is answered at once when the file is already known (a download
// opened, dropped or given on the command line).
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "flow/platform.hpp"

namespace korvath {

class WorkerPlatform : public Platform {
 public:
  /// `shown` shows the dialogs on the thread of `window`; `asking(true)` and `asking(false)`
  /// run there around each one (the progress dialog steps aside), `asking(false)` only when
  /// the run goes on after it: not after a message, which is the last thing a run shows. `input`,
  /// when given, answers the first open dialog.
  WorkerPlatform(Platform& shown, QObject& window, std::optional<std::string> input,
                 std::function<void(bool asking)> asking);

  std::optional<std::string> ask_open_path(std::string_view title,
                                           std::string_view filter) override;
  std::optional<std::string> ask_save_path(std::string_view title, std::string_view filter,
                                           const std::string& suggested) override;
  bool ask_yes_no(std::string_view text, std::string_view title) override;
  bool ask_overwrite(const std::string& path) override;
  void show_message(std::string_view text, std::string_view title, Icon icon,
                    std::string_view details = {}) override;
  bool show_message_with_action(std::string_view action, std::string_view text,
                                std::string_view title, Icon icon,
                                std::string_view details) override;
  std::string program_folder() override;

  /// The input chosen so far; read on the window's thread, where it is set.
  const std::string& input() const { return input_; }

 private:
  // Runs `call` on the window's thread and waits for its answer. `then_more`: the run goes on
  // after it (a dialog or a question; a message box ends the run).
  template <typename Call>
  auto on_window_thread(Call call, bool then_more = true) -> decltype(call());

  Platform& shown_;
  QObject& window_;
  std::optional<std::string> preset_;
  std::string input_;
  std::function<void(bool asking)> asking_;
};

}  // namespace korvath
