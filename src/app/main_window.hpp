// `FrmMAIN`, the main window: a menu bar of instrument makers whose items run the conversion
// commands of the catalogue, and "INFO" for the about window.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string_view>

#include "flow/command.hpp"
#include "flow/platform.hpp"
#include "platform/rich_text_box.hpp"

class QMenu;

namespace korvath {

class FrmMAIN : public QMainWindow {
 public:
  /// The program's window: real dialogs through the file dialog `DD1` it owns.
  FrmMAIN();
  /// A window whose dialogs `platform` answers (tests); the platform must outlive it.
  explicit FrmMAIN(Platform& platform);
  ~FrmMAIN() override;

  /// Work areas of the Topcon conversions; the user never sees them.
  RichTextBox RT1;
  TextBox Text1;

 private:
  void build_menus();
  QMenu& menu_at(std::string_view path);
  void run(const ConversionCommand& command);
  void show_about();

  std::unique_ptr<Platform> own_platform_;  // the Qt platform, when the window makes its own
  Platform& platform_;
  bool running_ = false;  // a command is between its first dialog and its end
};

}  // namespace korvath
