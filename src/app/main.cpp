// `korvath` with arguments is the command line; without, it opens the main window.
#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "app/main_window.hpp"
#include "cli/cli.hpp"

namespace {

// Qt ends the process when it finds no display; say what to do instead.
bool has_display() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* value = std::getenv(variable); value && *value) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) return korvath::run_cli(argc, argv, std::cin, std::cout, std::cerr);
  if (!has_display()) {
    std::cerr << "korvath: δεν βρέθηκε οθόνη για το παράθυρο· η γραμμή εντολών: korvath --help\n";
    return korvath::kExitUsage;
  }
  QApplication application(argc, argv);
  korvath::FrmMAIN window;
  window.show();
  return QApplication::exec();
}
