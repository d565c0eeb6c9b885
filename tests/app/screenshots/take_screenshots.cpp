// Draws docs/main-window.png (the LEICA menu open at TCR 407) and docs/about-window.png on a
// real X display: `cmake --build <dir> --target screenshots` runs it under xvfb-run.
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <iostream>

#include "app/about_window.hpp"
#include "app/main_window.hpp"

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

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: korvath_screenshots DOCS_FOLDER\n";
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  korvath::FrmMAIN window;
  window.move(0, 0);
  window.resize(560, 300);
  window.show();
  int failures = 0;

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
