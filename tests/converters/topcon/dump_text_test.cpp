#include "converters/topcon/dump_text.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/files.hpp"

namespace korvath::topcon {
namespace {

// The text of every line as the runs give it, a line cut by the buffer's end joined again.
std::map<std::uint64_t, std::string> lines_of_runs(const std::filesystem::path& path) {
  RunReader in(path);
  std::map<std::uint64_t, std::string> lines;
  while (!in.at_end()) {
    const std::string_view run = in.read_run();
    lines[in.where().line].append(run);
  }
  return lines;
}

// The same file read a line at a time.
std::map<std::uint64_t, std::string> lines_of(const std::filesystem::path& path) {
  LineReader in(path);
  std::map<std::uint64_t, std::string> lines;
  while (!in.at_end()) {
    const std::string_view line = in.read_line();
    lines[in.where().line].assign(line);
  }
  return lines;
}

// A CR LF split by the end of the 64 KiB read buffer is one line end; the empty lines after it
// are lines all the same. The CR stands on the buffer's last byte and on the three before it.
TEST(TopconRunReader, LineEndSplitByTheBufferLeavesTheLinesAfterItWhole) {
  constexpr std::size_t kBuffer = 1 << 16;
  const test::TempDir dir;
  for (std::size_t back = 0; back <= 3; ++back) {
    std::string input(kBuffer - 1 - back, 'x');
    for (std::size_t i = 0; i < input.size(); i += 97) input[i] = '\n';
    input += "\r\n_+101_\n\n\n_+102_\r\n\r\n";
    test::write_file(dir / "dump.txt", input);
    EXPECT_EQ(lines_of_runs(dir / "dump.txt"), lines_of(dir / "dump.txt")) << "back " << back;
  }
}

}  // namespace
}  // namespace korvath::topcon
