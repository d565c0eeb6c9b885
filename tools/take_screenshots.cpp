// Draws into the docs folder, on a real X display (`cmake --build <dir> --target screenshots`
// runs it under xvfb-run): main-window.png (the LEICA menu open at TCR 407), about-window.png,
// then a TC 600 session through the real dialogs: open-dialog.png, success-box.png with the
// lines written, and error-box.png for a download cut short. Then downloads opened without
// naming the instrument, from a downloads folder: drop-zone.png (the empty window),
// detect-question.png, failure-box.png (a wrong menu item, with the button for the command the
// file fits) and progress-dialog.png (a long download).
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <deque>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>

#include "app/about_window.hpp"
#include "app/main_window.hpp"
#include "bench/instrument_file.hpp"

namespace {

QMenu& menu(korvath::FrmMAIN& window, const char* name) {
  return *window.findChild<QMenu*>(QString::fromLatin1(name));
}

// The window and every menu it has open, as they are on the screen.
QPixmap grab_with_menus(korvath::FrmMAIN& window) {
  QRect area = window.frameGeometry();
  for (QMenu* open : window.findChildren<QMenu*>())
    if (open->isVisible()) area |= open->geometry();
  return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                      area.height());
}

bool save(const QPixmap& shot, const QString& path) {
  const bool saved = shot.save(path, "PNG");
  std::cerr << (saved ? "wrote " : "cannot write ") << path.toStdString() << '\n';
  return saved;
}

// Answers each modal window in turn, once it has settled on the screen.
class Session {
 public:
  using Step = std::function<void(QWidget& modal)>;
  explicit Session(std::deque<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || !modal->isVisible() || steps_.empty()) return;
      const Step step = std::move(steps_.front());
      steps_.pop_front();
      step(*modal);
    });
  }
  void start() { timer_.start(500); }
  bool done() const { return steps_.empty(); }

 private:
  std::deque<Step> steps_;
  QTimer timer_;
};

Session::Step type_name(const QString& path) {
  return [=](QWidget& modal) {
    modal.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
    static_cast<QDialog&>(modal).accept();
  };
}

Session::Step press(QMessageBox::StandardButton button) {
  return [=](QWidget& modal) { static_cast<QMessageBox&>(modal).button(button)->click(); };
}

Session::Step shoot(const QString& path, int& failures, const Session::Step& then) {
  return [=, &failures](QWidget& modal) {
    failures += !save(modal.grab(), path);
    then(modal);
  };
}

Session::Step accept_as_shown() {
  return [](QWidget& modal) { static_cast<QDialog&>(modal).accept(); };
}

Session::Step cancel_progress() {
  return [](QWidget& modal) {
    modal.findChild<QAbstractButton*>(QStringLiteral("cancelButton"))->click();
  };
}

std::string bytes_of(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// A folder of the user's own, named as a surveyor names one, since its path shows in the
// boxes (run with HOME=/home/topografos for the pictures in docs/). A folder already there may
// be the user's real work: it is never reused, and only the folder made here is removed.
std::optional<QDir> fresh_folder(const char* name) {
  QDir folder(QDir::homePath() + QStringLiteral("/") + QString::fromUtf8(name));
  if (folder.exists() || !folder.mkpath(QStringLiteral("."))) {
    std::cerr << "korvath_screenshots: " << bytes_of(folder.path())
              << " exists or cannot be made; move it away first\n";
    return std::nullopt;
  }
  return folder;
}

// A field download, and a long one that converts for a few seconds.
int shoot_opening_a_download(korvath::FrmMAIN& window, const QString& folder) {
  const std::optional<QDir> made = fresh_folder("Λήψεις");
  if (!made) return 1;
  QDir downloads = *made;
  const QString field = downloads.filePath(QString::fromUtf8("ΑΓΡΟΣ-12.txt"));
  const QString plot = downloads.filePath(QString::fromUtf8("ΟΙΚΟΠΕΔΟ-7.cmt"));
  QFile::copy(QStringLiteral(KORVATH_EXAMPLES "/south-mes.txt"), field);
  {
    std::ofstream out(bytes_of(plot), std::ios::binary);
    korvath::bench::generate("nikon-npl352-dos", std::uint64_t{600} << 20,
                             [&](std::string_view piece) {
                               out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
                             });
  }
  int failures = !save(grab_with_menus(window), folder + "/drop-zone.png");
  Session session({
      shoot(folder + "/detect-question.png", failures, press(QMessageBox::No)),
      type_name(field),  // TOPCON / GPT 3000 on the South download
      accept_as_shown(),
      accept_as_shown(),
      shoot(folder + "/failure-box.png", failures, press(QMessageBox::Ok)),
      press(QMessageBox::Yes),  // the long download
      accept_as_shown(),
      accept_as_shown(),
      shoot(folder + "/progress-dialog.png", failures, cancel_progress()),
      press(QMessageBox::Ok),
  });
  session.start();
  window.open_downloads({bytes_of(field)});
  window.findChild<QAction*>(QStringLiteral("mnuTOPCONGTS3000"))->trigger();
  window.open_downloads({bytes_of(plot)});
  failures += !session.done();
  downloads.removeRecursively();
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: korvath_screenshots DOCS_FOLDER\n";
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  // A job folder as a surveyor has it, named as one would (its path shows in the boxes): the
  // dialogs start there.
  const std::optional<QDir> made = fresh_folder("Μετρήσεις");
  if (!made) return 1;
  QDir job = *made;
  const QString survey = job.filePath(QStringLiteral("JOB.TC6"));
  const QString cut = job.filePath(QString::fromUtf8("ΑΓΡΟΣ-12.TC6"));
  QFile::copy(QStringLiteral(KORVATH_EXAMPLES "/leica-tc600.TC6"), survey);
  QFile::copy(survey, cut);
  QFile more(cut);
  if (more.open(QIODevice::Append))  // a pair cut short by the end of the download
    more.write("410000-00000002 420000+00000007 430000+00000000 440000+00000000 \r\n");
  more.close();
  QDir::setCurrent(job.path());
  // The next run starts afresh.
  const auto clean_up = qScopeGuard([&job] { job.removeRecursively(); });

  korvath::FrmMAIN window;
  window.move(0, 0);
  window.resize(640, 300);  // as it opens: every menu in view
  window.show();
  int failures = 0;
  const QString stations = job.filePath(QStringLiteral("stations"));
  const QString points = job.filePath(QStringLiteral("points"));
  Session session({
      shoot(folder + "/open-dialog.png", failures, type_name(survey)),
      type_name(stations),
      type_name(points),
      shoot(folder + "/success-box.png", failures, press(QMessageBox::Ok)),
      type_name(cut),
      type_name(stations),
      press(QMessageBox::Yes),
      type_name(points),
      press(QMessageBox::Yes),
      shoot(folder + "/error-box.png", failures, press(QMessageBox::Ok)),
  });
  QAction& tc600 = *window.findChild<QAction*>(QStringLiteral("mnuLEICATC600"));

  QTimer::singleShot(400, [&] {
    QMenu& leica = menu(window, "mnuLEICA");
    window.menuBar()->setActiveAction(leica.menuAction());
    QTimer::singleShot(300, [&] {
      leica.setActiveAction(menu(window, "mnuLEICATCR407").menuAction());
      QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
      QApplication::sendEvent(&leica, &right);
      QTimer::singleShot(400, [&] {
        failures += !save(grab_with_menus(window), folder + "/main-window.png");
        leica.close();
        QTimer::singleShot(200, [&] {
          korvath::Form1 about(&window);
          about.show();
          QTimer::singleShot(400, [&] {
            failures += !save(about.grab(), folder + "/about-window.png");
            about.close();
            session.start();
            tc600.trigger();  // each runs until its last box is answered
            tc600.trigger();
            failures += !session.done();
            failures += shoot_opening_a_download(window, folder);
            QApplication::quit();
          });
          QEventLoop until_closed;
          QObject::connect(&about, &QDialog::finished, &until_closed, &QEventLoop::quit);
          until_closed.exec();
        });
      });
    });
  });
  QApplication::exec();
  return failures == 0 ? 0 : 1;
}
