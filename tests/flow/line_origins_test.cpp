// Where a scratch line came from, for passes that stay in memory and passes that go to a file.
#include "flow/line_origins.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvath {
namespace {

// Scratch line i came from input line 3 i; lines past the end take the last line's origin.
void expect_pass(LineOrigins& origins, std::uint64_t lines) {
  origins.restart();
  for (std::uint64_t i = 1; i <= lines; ++i) origins.record(3 * i);
  origins.finish();
  EXPECT_EQ(origins.at(0), 0u) << lines;
  for (const std::uint64_t line :
       {std::uint64_t{1}, lines / 2 + 1, lines, std::min<std::uint64_t>(2, lines)})
    EXPECT_EQ(origins.at(line), 3 * line) << line << " of " << lines;
  EXPECT_EQ(origins.at(lines + 5), 3 * lines) << lines;
  EXPECT_EQ(origins.at(1), 3u) << lines;  // back to the first chunk after a later one
}

TEST(LineOrigins, ShortAndLongPassesInAnyOrder) {
  LineOrigins origins;
  for (const std::uint64_t lines : {10, 4096, 4097, 10000, 3, 1}) expect_pass(origins, lines);
  origins.restart();
  origins.finish();
  EXPECT_EQ(origins.at(1), 0u);
}

}  // namespace
}  // namespace korvath
