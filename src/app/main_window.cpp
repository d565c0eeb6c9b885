#include "app/main_window.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTimer>
#include <QUrl>
#include <exception>
#include <thread>

#include "app/about_window.hpp"
#include "app/conversion_progress.hpp"
#include "app/logo.hpp"
#include "app/open_download.hpp"
#include "app/worker_platform.hpp"
#include "converters/catalogue.hpp"
#include "flow/interruption.hpp"
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

// The local files of a drag, as the core names paths.
std::vector<std::string> local_files(const QMimeData& dragged) {
  std::vector<std::string> paths;
  for (const QUrl& url : dragged.urls())
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  return paths;
}

}  // namespace

FrmMAIN::FrmMAIN() : own_platform_(std::make_unique<QtPlatform>(*this)), platform_(*own_platform_) {
  build_menus();
  build_drop_zone();
}

FrmMAIN::FrmMAIN(Platform& platform) : platform_(platform) {
  build_menus();
  build_drop_zone();
}

FrmMAIN::~FrmMAIN() = default;

void FrmMAIN::build_menus() {
  setWindowTitle(QStringLiteral("Korvath"));
  setWindowIcon(draw_icon());
  resize(640, 300);  // every menu of the bar in view, INFO too

  QMenu& file = menu_at("ΑΡΧΕΙΟ");
  file.setObjectName(QStringLiteral("mnuFILE"));
  file.menuAction()->setObjectName(QStringLiteral("mnuFILE"));
  QAction& open = add_item(file, kOpenDownloadItem, QStringLiteral("mnuOPENDOWNLOAD"));
  connect(&open, &QAction::triggered, this, &FrmMAIN::open_download);

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

void FrmMAIN::build_drop_zone() {
  drop_zone_.setText(qs("Σύρετε εδώ ένα αρχείο λήψης ή επιλέξτε όργανο από το μενού"));
  drop_zone_.setObjectName(QStringLiteral("dropZone"));
  drop_zone_.setAlignment(Qt::AlignCenter);
  drop_zone_.setWordWrap(true);
  drop_zone_.setMargin(24);
  drop_zone_.setStyleSheet(QStringLiteral(
      "#dropZone { border: 2px dashed palette(mid); border-radius: 8px; margin: 16px; }"));
  setCentralWidget(&drop_zone_);
  setAcceptDrops(true);
}

void FrmMAIN::dragEnterEvent(QDragEnterEvent* event) {
  if (!running_ && !local_files(*event->mimeData()).empty()) event->acceptProposedAction();
}

void FrmMAIN::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = local_files(*event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  // Once the drop has returned: the file manager that sent it is not held up by the dialogs.
  QTimer::singleShot(0, this, [this, paths] { open_downloads(paths); });
}

void FrmMAIN::closeEvent(QCloseEvent* event) {
  // The worker holds the window's dialogs: it is stopped first, and the window stays until it
  // has ended on its error path.
  if (!running_) return QMainWindow::closeEvent(event);
  request_interruption(kStopButton);
  event->ignore();
}

void FrmMAIN::open_downloads(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) open_file(path);
}

void FrmMAIN::open_download() {
  if (running_) return;
  const auto path = platform_.ask_open_path(kOpenDownloadTitle, kOpenDownloadFilter);
  if (path && !path->empty()) open_file(*path);
}

void FrmMAIN::open_file(const std::string& path) {
  if (running_) return;
  const DownloadGuess guess = guess_download(path);
  if (guess.best.empty())
    return platform_.show_message(no_fit_text(path), kOpenDownloadTitle, Icon::warning,
                                  guess.why_none);
  if (guess.best.size() == 1) {
    if (platform_.ask_yes_no(detect_question(path, guess.best.front()), kOpenDownloadTitle))
      run(*guess.best.front().command, path);
    return;
  }
  if (const ConversionCommand* chosen = choose_command(*this, path, guess.best)) run(*chosen, path);
}

void FrmMAIN::run(const ConversionCommand& command, std::optional<std::string> input) {
  // The dialogs are modal, but their event loops still deliver queued triggers: one command
  // at a time keeps two conversions from sharing files and the dialog.
  if (running_) return;
  const QScopedValueRollback<bool> busy(running_, true);
  for (const ConversionCommand* next = &command; next;) {
    const Outcome outcome = run_off_thread(*next, std::move(input));
    next = outcome.instead;
    input = outcome.input;
  }
}

Outcome FrmMAIN::run_off_thread(const ConversionCommand& command,
                                std::optional<std::string> input) {
  clear_interruption();
  const WorkerPlatform* asked = nullptr;
  ConversionProgress progress(*this, progress_delay_,
                              [&] { return asked ? asked->input() : std::string(); });
  WorkerPlatform ui(platform_, *this, std::move(input),
                    [&progress](bool open) { progress.asking(open); });
  asked = &ui;
  // The window keeps repainting and answering while the worker reads and writes; the worker
  // waits on it for each dialog.
  Outcome outcome;
  std::exception_ptr failure;
  QEventLoop until_done;
  std::thread worker([&] {
    try {
      outcome = run_command(command, ui, window_advice());
    } catch (...) {
      failure = std::current_exception();
    }
    QMetaObject::invokeMethod(&until_done, &QEventLoop::quit, Qt::QueuedConnection);
  });
  progress.start();
  until_done.exec();
  worker.join();
  clear_interruption();
  if (failure) std::rethrow_exception(failure);
  return outcome;
}

void FrmMAIN::show_about() {
  Form1 about(this);
  about.exec();
}

}  // namespace korvath
