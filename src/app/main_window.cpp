#include "app/main_window.hpp"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScopedValueRollback>

#include "app/about_window.hpp"
#include "app/logo.hpp"
#include "converters/catalogue.hpp"
#include "converters/detect.hpp"
#include "flow/run.hpp"
#include "platform/qt/qt_platform.hpp"
#include "platform/qt/qt_text.hpp"

namespace korvath {
namespace {

// The makers in the order the menu bar shows them; the catalogue fills their menus.
constexpr std::string_view kMakers[] = {"SOUTH", "PENTAX", "NIKON", "TOPCON",
                                        "LEICA", "SOKKIA", "FOIF",  "GEODIMETER"};

// "mnu" and the menu path without blanks and slashes: "LEICA/TCR 407" is mnuLEICATCR407,
// "LEICA/GSI-8 / GSI-16" mnuLEICAGSI-8GSI-16.
QString menu_object_name(std::string_view path) {
  QString name = QStringLiteral("mnu");
  for (const char c : path)
    if (c != '/' && c != ' ') name += QChar::fromLatin1(c);
  return name;
}

QAction& add_item(QWidget& menu, std::string_view caption, const QString& name) {
  QAction* item = menu.addAction(qs(caption));
  item->setObjectName(name);
  return *item;
}

}  // namespace

FrmMAIN::FrmMAIN() : own_platform_(std::make_unique<QtPlatform>(*this)), platform_(*own_platform_) {
  build_menus();
}

FrmMAIN::FrmMAIN(Platform& platform) : platform_(platform) {
  build_menus();
}

FrmMAIN::~FrmMAIN() = default;

void FrmMAIN::build_menus() {
  setWindowTitle(QStringLiteral("Korvath"));
  setWindowIcon(draw_icon());
  resize(520, 260);

  for (const std::string_view maker : kMakers) menu_at(maker);
  for (const ConversionCommand& command : catalogue()) {
    QAction& item = add_item(menu_at(command.menu_path), command.caption, qs(command.menu_name));
    connect(&item, &QAction::triggered, this, [this, &command] { run(command); });
  }

  QAction& info = add_item(*menuBar(), "INFO", QStringLiteral("MNUHELP"));
  connect(&info, &QAction::triggered, this, &FrmMAIN::show_about);
}

QMenu& FrmMAIN::menu_at(std::string_view path) {
  const std::size_t slash = last_menu_separator(path);
  const QString name = menu_object_name(path);
  QWidget& parent = slash == std::string_view::npos
                        ? static_cast<QWidget&>(*menuBar())
                        : static_cast<QWidget&>(menu_at(path.substr(0, slash)));
  for (QAction* existing : parent.actions())
    if (existing->objectName() == name && existing->menu()) return *existing->menu();
  const QString caption = qs(slash == std::string_view::npos ? path : path.substr(slash + 1));
  QMenu* menu = nullptr;
  if (auto* bar = qobject_cast<QMenuBar*>(&parent))
    menu = bar->addMenu(caption);
  else
    menu = static_cast<QMenu&>(parent).addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return *menu;
}

void FrmMAIN::run(const ConversionCommand& command) {
  // The dialogs are modal, but their event loops still deliver queued triggers: one command
  // at a time keeps two conversions from sharing files and the dialog.
  if (running_) return;
  const QScopedValueRollback<bool> busy(running_, true);
  run_command(command, platform_, detector_advice());
}

void FrmMAIN::show_about() {
  Form1 about(this);
  about.exec();
}

}  // namespace korvath
