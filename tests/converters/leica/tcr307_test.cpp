// TCR 307 pass 1 on many random lines: every run of blanks becomes commas as the rule says (runs
// of 30 blanks replaced first, then 29, down to 1), whatever the lengths of the values and the
// runs, and wherever a line ends against the sixteen-byte steps it is read in.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "flow/text.hpp"
#include "support/convert.hpp"

namespace korvath::test {
namespace {

std::string runs_to_commas(std::string line) {
  line = std::string(trim(line));
  for (std::size_t n = 30; n >= 1; --n) line = replace_all(line, std::string(n, ' '), ",");
  return line;
}

TEST(Tcr307, EveryRunOfBlanksBecomesCommasByTheRule) {
  std::mt19937 random(307);
  const auto below = [&random](unsigned n) { return random() % n; };
  std::string input, scratch;
  for (int i = 0; i < 20000; ++i) {
    std::string line(below(3) == 0 ? below(4) : 0, ' ');
    const unsigned length = below(4) == 0 ? below(160) : 40 + below(40);  // most near 64
    while (line.size() < length) {
      const unsigned value = below(12);
      for (unsigned k = 0; k < value; ++k) line += "D1.-\tx9"[below(7)];
      // Mostly short runs, some of 14 to 17 blanks, and now and then one past 30.
      const unsigned kind = below(10);
      const unsigned run = kind < 7 ? 1 + below(4) : kind < 9 ? 14 + below(4) : 1 + below(70);
      line += std::string(run, ' ');
    }
    if (below(2) == 0) line.erase(line.find_last_not_of(' ') + 1);
    input += line + "\r\n";
    scratch += runs_to_commas(line) + "\r\n";
  }
  const Converted c = convert_bytes("leica-tcr307", input);
  EXPECT_EQ(read_file(c.dir->path() / "L307hlp.txt"), scratch);
}

}  // namespace
}  // namespace korvath::test
