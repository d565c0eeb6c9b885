// `korvath`: the command line, or the window when run alone or with files to open.
#include <iostream>

#include "cli/cli.hpp"
#include "cli/launcher.hpp"

int main(int argc, char** argv) {
  if (korvath::wants_window(argc, argv) && korvath::open_window(argv)) return korvath::kExitFailed;
  korvath::prepare_process();
  return korvath::run_cli(argc, argv, std::cin, std::cout, std::cerr);
}
