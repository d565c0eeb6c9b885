// `korvath-window`: the main window, started by `korvath` alone or with files to open (given on
// its command line: each is opened as "Άνοιγμα λήψης…" opens it, one after another).
#include <dlfcn.h>

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window.hpp"
#include "cli/cli.hpp"

namespace {

// Whether the X server DISPLAY names answers, asked through the same libxcb Qt's platform
// plugin loads: Qt aborts (a core dump) when it cannot connect. Unknown (no libxcb): true.
bool x_server_answers(const char* display) {
  void* xcb = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
  if (!xcb) return true;
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  const auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
  const auto has_error = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
  const auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
  bool answers = true;
  if (connect && has_error && disconnect) {
    void* connection = connect(display, nullptr);
    answers = has_error(connection) == 0;
    disconnect(connection);  // also frees a connection in error
  }
  dlclose(xcb);
  return answers;
}

const char* set(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value ? value : nullptr;
}

// Qt ends the process when it finds no display; say what to do instead.
bool has_display() {
  if (const char* platform = set("QT_QPA_PLATFORM");
      platform && std::string_view(platform) != "xcb")
    return true;
  if (set("WAYLAND_DISPLAY")) return true;
  const char* display = set("DISPLAY");
  return display && x_server_answers(display);
}

}  // namespace

int main(int argc, char** argv) {
  korvath::prepare_process();
  if (!has_display()) {
    std::cerr << "korvath: δεν βρέθηκε οθόνη για το παράθυρο· η γραμμή εντολών: korvath --help\n";
    return korvath::kExitUsage;
  }
  QApplication application(argc, argv);
  korvath::FrmMAIN window;
  window.show();
  std::vector<std::string> files;
  for (const QString& file : QApplication::arguments().mid(1))
    files.push_back(QFile::encodeName(file).toStdString());
  // Once the window is on the screen, so that the questions have it behind them.
  QTimer::singleShot(0, &window, [&window, files] { window.open_downloads(files); });
  return QApplication::exec();
}
