// Whole conversions as data: tests/cases/<command-id>/<what-it-shows>.case holds the input bytes
// and the expected bytes of every file the run leaves beside it, or the fault it stops at.
//
//   # A comment line; blank lines are skipped.
//   == input
//   ST1 1.550\r\n
//   == stations.txm          every file the run leaves, outputs, scratch files and .ODR alike;
//   == points.txm            a section without lines is an empty file
//    101 ,ST1,ST2, 1.3 , 60 , 99.5 , 0 , 1.55 \r\n
//   == fault not_a_number input.dat 3    or "== invalid": the input was rejected
//   == notes                 one line per note to the user, "LINE: text"
//   == written               optional: what the user is told of each output, "NAME LINES"
//
// A section's lines are joined as they are, without the case file's own line ends; the bytes
// are spelt \r, \n, \t, \\ and \xHH, so a raw tab or a blank at the end of a line is an error.
// The dialogs are answered "input.dat", "stations" and "points" (or "coords") in one folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "flow/conversion_error.hpp"

namespace korvath {
// A fault shows by its name in a failed comparison.
inline void PrintTo(Fault fault, std::ostream* os) {
  *os << fault_name(fault);
}
}  // namespace korvath

namespace korvath::test {

struct CaseFile {
  std::string command;  // the folder's name: "south-mes"
  std::string name;     // "south-mes/blank-lines.case" gives "SouthMesBlankLines"
  std::string input;
  std::optional<Fault> fault;  // the run stops at this fault, in fault_file at fault_line
  std::string fault_file;
  std::uint64_t fault_line = 0;
  bool invalid = false;            // the command rejects the input before any output
  std::vector<std::string> notes;  // "3: text"
  std::optional<std::vector<std::string>> written;  // "stations.txm 2", when the case says
  std::map<std::string, std::string> files;
};

/// Reads one case file; throws std::runtime_error naming the file and line of a mistake.
CaseFile read_case(const std::filesystem::path& path);

/// Letters and digits, each word capitalised: "south-mes" gives "SouthMes".
std::string test_name(std::string_view words);

/// The bytes as a case file spells them, one line per line end.
std::string spelt(std::string_view bytes);

/// One row of a table (tests/tables/*.table): its fields, "|" between them, each without the
/// blanks around it and spelt as a case file spells bytes ("\x20" for a blank at its edge,
/// "\x7C" for a "|"). Lines starting with "#" and blank lines are skipped.
struct TableRow {
  std::string where;  // "numbers.table:12"
  std::vector<std::string> fields;
};
std::vector<TableRow> read_table(const std::filesystem::path& path);

}  // namespace korvath::test
