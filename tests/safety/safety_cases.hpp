// The inputs the data-safety tests feed every built command of the catalogue: its example
// file, a generated download, damaged copies of both (cut short, line ends changed, random
// bytes), as surveyors' editors and broken transfers produce them, and the fuzzer's findings.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "flow/command.hpp"

namespace korvath {
inline void PrintTo(const ConversionCommand* c, std::ostream* os) {
  *os << c->id;
}
}  // namespace korvath

namespace korvath::safety {

struct SafetyCase {
  std::string name;  // letters and digits: "SouthMesExampleCrOnly"
  const ConversionCommand* command;
  std::string input;
};
inline void PrintTo(const SafetyCase& c, std::ostream* os) {
  *os << c.name;
}

/// Every command whose converter is built, in catalogue order.
std::vector<const ConversionCommand*> built_commands();

/// The bytes of the example file examples/<id>.* of a command.
std::string example_bytes(std::string_view command_id);

/// A download the bench generator writes for the command, about 6 kB; empty when it has none.
std::string generated_bytes(std::string_view command_id);

/// Every line end of the text (CR LF, CR or LF) replaced by the next of `line_ends`, in turn.
std::string with_line_ends(std::string_view text, std::vector<std::string_view> line_ends);

/// Every built command with every source and damage, and the files of tests/data/fuzz/<id>/.
std::vector<SafetyCase> damaged_inputs();

/// The number of descriptors this process has open.
std::size_t open_descriptors();

}  // namespace korvath::safety
