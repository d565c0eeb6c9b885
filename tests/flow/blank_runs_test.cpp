// The first pass of the instruments that separate values by runs of blanks, on many random
// lines: whatever the lengths of the values and the runs, and wherever a line ends against the
// sixteen-byte steps it is read in, the scratch file holds what the rules say.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "flow/text.hpp"
#include "support/convert.hpp"

namespace korvath::test {
namespace {

// Lines of values and runs of blanks: mostly near 64 bytes, mostly short runs, some of 14 to 17
// blanks and now and then one past 30; blanks at either end of some lines.
std::vector<std::string> random_lines(unsigned seed, unsigned most_values) {
  std::mt19937 random(seed);
  const auto below = [&random](unsigned n) { return random() % n; };
  std::vector<std::string> lines;
  for (int i = 0; i < 20000; ++i) {
    std::string line(below(3) == 0 ? below(4) : 0, ' ');
    const unsigned length = below(4) == 0 ? below(160) : 40 + below(40);
    for (unsigned values = 0; line.size() < length && values < most_values; ++values) {
      for (unsigned k = 1 + below(11); k > 0; --k) line += "D1.-\tx9"[below(7)];
      const unsigned kind = below(10);
      const unsigned run = kind < 7 ? 1 + below(4) : kind < 9 ? 14 + below(4) : 1 + below(70);
      line += std::string(run, ' ');
    }
    if (below(2) == 0) line.erase(line.find_last_not_of(' ') + 1);
    lines.push_back(line);
  }
  return lines;
}

std::string scratch_of(std::string_view command, const std::vector<std::string>& lines,
                       std::string_view scratch_name) {
  std::string input;
  for (const std::string& line : lines) input += line + "\r\n";
  const Converted c = convert_bytes(command, input);
  return read_file(c.dir->path() / scratch_name);
}

// TCR 307: runs of 30 blanks replaced by a comma first, then those of 29, and so on down to 1.
TEST(BlankRuns, Tcr307TurnsEveryRunIntoCommasByTheRule) {
  const std::vector<std::string> lines = random_lines(307, 1000);
  std::string expected;
  for (const std::string& line : lines) {
    std::string items(trim(line));
    for (std::size_t n = 30; n >= 1; --n) items = replace_all(items, std::string(n, ' '), ",");
    expected += items + "\r\n";
  }
  EXPECT_EQ(scratch_of("leica-tcr307", lines, "L307hlp.txt"), expected);
}

// South: the values of a line, "NOTAV" in the positions up to nine it does not hold.
TEST(BlankRuns, SouthMakesRowsOfNineValues) {
  const std::vector<std::string> lines = random_lines(6, 9);
  std::string expected;
  for (const std::string& line : lines) {
    std::vector<std::string> values;  // a tab is part of a value
    for (std::size_t at = 0; (at = line.find_first_not_of(' ', at)) != std::string::npos;) {
      const std::size_t end = line.find(' ', at);
      values.push_back(line.substr(at, end - at));
      at = end;
    }
    if (values.empty()) continue;
    std::string row;
    for (std::size_t i = 0; i < 9; ++i)
      row += (i ? "," : "") + std::string(i < values.size() ? values[i] : "NOTAV");
    expected += row + "\r\n";
  }
  EXPECT_EQ(scratch_of("south-mes", lines, "ConvSou.txt"), expected);
}

}  // namespace
}  // namespace korvath::test
