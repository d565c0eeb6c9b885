// Prints the id of every built command of the catalogue, one a line: the build names one fuzz
// target after each, so a new row is fuzzed without an edit anywhere else.
#include <cstdio>

#include "converters/catalogue.hpp"

int main() {
  for (const korvath::ConversionCommand& command : korvath::catalogue())
    if (command.convert)
      std::printf("%.*s\n", static_cast<int>(command.id.size()), command.id.data());
  return 0;
}
