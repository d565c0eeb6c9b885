// `FrmMAIN`, the main window: "ΑΡΧΕΙΟ" to open any download, a menu bar of instrument makers
// whose items run the conversion commands of the catalogue, "INFO" for the about window, and a
// drop zone for downloads dragged onto the window.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "flow/command.hpp"
#include "flow/platform.hpp"
#include "flow/run.hpp"

class QMenu;

namespace korvath {

class FrmMAIN : public QMainWindow {
 public:
  /// The program's window: real dialogs through the file dialog `DD1` it owns.
  FrmMAIN();
  /// A window whose dialogs `platform` answers (tests); the platform must outlive it.
  explicit FrmMAIN(Platform& platform);
  ~FrmMAIN() override;

  /// Opens each file as "Άνοιγμα λήψης…" does, one after another (dropped files, and those
  /// given on the command line).
  void open_downloads(const std::vector<std::string>& paths);
  /// How long a conversion runs before its progress dialog shows (half a second).
  void set_progress_delay(std::chrono::milliseconds delay) { progress_delay_ = delay; }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void build_menus();
  void build_drop_zone();
  QMenu& menu_at(std::string_view path);
  void open_download();
  void open_file(const std::string& path);
  // Runs the command, then any the user chose from its final box instead, on the same input.
  void run(const ConversionCommand& command, std::optional<std::string> input = std::nullopt);
  Outcome run_off_thread(const ConversionCommand& command, std::optional<std::string> input);
  void show_about();

  QLabel drop_zone_;                        // gone before the window, whose child it is
  std::unique_ptr<Platform> own_platform_;  // the Qt platform, when the window makes its own
  Platform& platform_;
  bool running_ = false;  // a command is between its first dialog and its end
  std::chrono::milliseconds progress_delay_{500};
};

}  // namespace korvath
