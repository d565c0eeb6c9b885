// bench-one-line: the least a C++ program of this build does, to set `korvath --version` against.
#include <iostream>

int main() {
  std::cout << "korvath\n";
}
