#include <iostream>

#include "cli/cli.hpp"

int main(int argc, char** argv) {
  korvath::prepare_process();
  return korvath::run_cli(argc, argv, std::cin, std::cout, std::cerr);
}
