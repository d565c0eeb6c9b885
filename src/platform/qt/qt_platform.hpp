// The conversion flow's dialogs as Qt provides them: one file dialog `DD1` for every open and
// save dialog, and modal message boxes over the main window. Qt has no Greek catalogue, so the
// dialogs' own labels and buttons are set here.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <string_view>

#include "flow/platform.hpp"

class QWidget;

namespace korvath {

/// The name filters of a dialog filter "label|pattern|label|pattern|": each pair becomes
/// "label (patterns)", the label's own "(...)" replaced by the patterns Qt matches. "*.*"
/// becomes "*", so that "all files" also lists names without a dot, and ";" separates patterns.
QStringList name_filters(std::string_view filter);
/// An open dialog's name filters: the command's, then "Όλα τα αρχεία (*)" unless one already is.
QStringList open_name_filters(std::string_view filter);

class QtPlatform : public Platform {
 public:
  /// The dialogs are modal over `window`, which becomes the parent of `DD1`; the window must
  /// outlive this platform (the main window owns it).
  explicit QtPlatform(QWidget& window);

  std::optional<std::string> ask_open_path(std::string_view title,
                                           std::string_view filter) override;
  /// Starts in `suggested`'s folder with its name selected; without one, where the previous
  /// dialog ended.
  std::optional<std::string> ask_save_path(std::string_view title, std::string_view filter,
                                           const std::string& suggested) override;
  bool ask_yes_no(std::string_view text, std::string_view title) override;
  /// The system's question, the file's path below it.
  bool ask_overwrite(const std::string& path) override;
  /// Each box's text wraps and can be selected and copied.
  void show_message(std::string_view text, std::string_view title, Icon icon,
                    std::string_view details = {}) override;
  /// The action is a button "actionButton" beside OK.
  bool show_message_with_action(std::string_view action, std::string_view text,
                                std::string_view title, Icon icon,
                                std::string_view details) override;
  /// The executable's folder when writable, else the user's cache folder.
  std::string program_folder() override;

 private:
  std::optional<std::string> ask_path(std::string_view title, std::string_view filter,
                                      QFileDialog::AcceptMode mode, const std::string& suggested);

  QWidget& window_;
  QFileDialog dd1_;
  QString last_choice_;  // each dialog starts where the previous one ended
};

}  // namespace korvath
