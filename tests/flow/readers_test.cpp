// The line reader at its buffer's and its memory's limits (the edges of its rules are rows of
// tests/tables/readers.table).
#include "flow/readers.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "flow/interruption.hpp"
#include "flow/signature.hpp"
#include "flow/text.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

std::vector<std::size_t> line_sizes(const std::string& bytes) {
  const test::TempDir dir;
  test::write_file(dir / "a", bytes);
  LineReader in(dir / "a");
  std::vector<std::size_t> sizes;
  try {
    while (!in.at_end()) sizes.push_back(in.read_line().size());
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::line_too_long);
    sizes.push_back(e.line());  // the line that was too long
  }
  return sizes;
}

TEST(LineReader, LineEndsAcrossTheBufferAndLinesOverOneMebibyte) {
  const std::string first(65535, 'a');  // the CR is the last byte of the first buffer
  EXPECT_EQ(line_sizes(first + "\r\nb\r\n"), (std::vector<std::size_t>{65535, 1}));
  EXPECT_EQ(line_sizes(first + "\r" + std::string(70000, '\n')).size(), 70000u);
  // A CR alone ends the buffer: the next buffer's first byte begins the next line.
  EXPECT_EQ(line_sizes(first + "\rbc\r"), (std::vector<std::size_t>{65535, 2}));
  EXPECT_EQ(line_sizes("one\n" + std::string(kLongestLine, 'x') + "\n" +
                       std::string(kLongestLine + 1, 'y') + "\n"),
            (std::vector<std::size_t>{3, kLongestLine, 3}));
}

TEST(ItemReader, NumberAtTheFileEndIsNotReadOnIntoTheBufferBehindIt) {
  // The first buffer is full of digits; the second, short one holds the last number, and the
  // first buffer's bytes still lie behind it.
  std::string first;
  while (first.size() < 65535) first += "9999,";
  first.resize(65535);
  first += '9';
  for (const std::string last : {"12", "-1.5", "3.", "1.25"}) {
    const test::TempDir dir;
    test::write_file(dir / "a", first + "," + last);
    ItemReader in(dir / "a");
    Value item;
    while (!in.at_end()) in.read_item(item);
    EXPECT_EQ(as_number(item, {}), *parse_number(last)) << last;
  }
}

// A CR alone as the last byte of a buffer ends its line; the item after it is whole.
TEST(ItemReader, ACrEndingTheBufferKeepsTheFirstByteOfTheNextLine) {
  std::string first;
  while (first.size() < 65530) first += "1,";
  first += std::string(65535 - first.size(), '7') + "\r";
  const test::TempDir dir;
  test::write_file(dir / "a", first + "25,END\r");
  ItemReader in(dir / "a");
  const auto items_of_first_line = std::count(first.begin(), first.end(), ',') + 1;
  for (std::ptrdiff_t i = 0; i < items_of_first_line; ++i) in.skip_item();
  ASSERT_TRUE(in.line_ended());
  Value item;
  in.read_item(item);
  EXPECT_EQ(item, Value(ReadNumber(25, "25")));
  EXPECT_EQ(in.where().line, 2u);
  in.read_item(item);
  EXPECT_EQ(item, text("END"));
  EXPECT_TRUE(in.at_end());
}

// Each kind of item with the buffer's end at every byte of it, read and skipped.
TEST(ItemReader, ItemsCutByTheBufferEndAtEveryByteReadWhole) {
  const std::vector<std::pair<std::string, Value>> probes = {
      {"TREE", text("TREE")},
      {" x \t", text("x")},
      {"\"q,r\"", text("q,r")},
      {"-1.5", ReadNumber(-1.5, "-1.5")},
      {"12345678901234567", ReadNumber(1.2345678901234567e16, "")}};
  for (const auto& [probe, expected] : probes) {
    for (std::size_t cut = 0; cut <= probe.size(); ++cut) {
      std::string bytes;  // fillers up to `cut` bytes before the buffer's end
      const std::size_t filler = (1 << 16) - cut;
      while (bytes.size() + 3 < filler) bytes += "1,";
      bytes += std::string(filler - bytes.size() - 1, '7') + ",";
      const auto fillers = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), ','));
      const test::TempDir dir;
      test::write_file(dir / "a", bytes + probe + ",END\r\n");
      for (const bool skipped : {false, true}) {
        ItemReader in(dir / "a");
        for (std::size_t i = 0; i < fillers; ++i) in.skip_item();
        Value item;
        if (skipped) {
          in.skip_item();
        } else {
          in.read_item(item);
          EXPECT_EQ(item, expected) << probe << " cut at " << cut;
        }
        in.read_item(item);
        EXPECT_EQ(item, text("END")) << probe << " cut at " << cut << (skipped ? ", skipped" : "");
      }
    }
  }
}

// The marks an editor or a transfer program puts around a download's text: a Ctrl-Z or a NUL is
// the end of the text only when nothing but more marks and line ends follow it, however many (a
// block of padding runs past the reader's look back from the end).
TEST(LineReader, TextBetweenAByteOrderMarkAndAnEndOfFileMark) {
  const auto lines = [](const std::string& bytes) {
    const test::TempDir dir;
    test::write_file(dir / "a", bytes);
    LineReader in(dir / "a");
    in.skip_marks_around_text();
    std::vector<std::string> read;
    while (!in.at_end()) read.emplace_back(in.read_line());
    return read;
  };
  using Lines = std::vector<std::string>;
  EXPECT_EQ(lines("\xEF\xBB\xBF"
                  "a\r\nb\x1a"),
            (Lines{"a", "b"}));
  EXPECT_EQ(lines("a\r\n\x1a\r\n" + std::string(10000, '\x1a') + "\n"), (Lines{"a"}));
  EXPECT_EQ(lines("a\r\n\x1a\r\nb\r\n"), (Lines{"a", "\x1a", "b"}));
  EXPECT_EQ(lines("a\x1a b"), (Lines{"a\x1a b"}));
  EXPECT_EQ(lines("a\r\n" + std::string(5000, '\0')), (Lines{"a"}));
  EXPECT_EQ(lines(std::string("a\0b", 3)), (Lines{std::string("a\0b", 3)}));
  EXPECT_EQ(lines("\x1a"), (Lines{}));
  EXPECT_EQ(lines("\xEF\xBB\xBF"), (Lines{}));
  EXPECT_EQ(Prefix::of("a\r\n\x1a\x1a\r\n", true).lines, (Lines{"a"}));
  LineReader kernel("/proc/self/status");  // of size 0 to the system: read to its end all the same
  kernel.skip_marks_around_text();
  EXPECT_FALSE(kernel.at_end());
}

TEST(ItemReader, AnItemOverOneMebibyteIsALineTooLong) {
  const test::TempDir dir;
  test::write_file(dir / "a", "P1," + std::string(kLongestLine + 1, 'x') + "\r\n");
  ItemReader in(dir / "a");
  EXPECT_EQ(std::get<std::string>(in.read_item()), "P1");
  try {
    in.read_item();
    ADD_FAILURE() << "an item over one mebibyte was read";
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::line_too_long);
  }
}

TEST(ItemReader, NoItemIsReadOrSkippedPastTheEnd) {
  const test::TempDir dir;
  test::write_file(dir / "a", "P1\r\n");
  for (const bool skip : {false, true}) {
    ItemReader in(dir / "a");
    in.read_item();
    try {
      if (skip)
        in.skip_item();
      else
        in.read_item();
      ADD_FAILURE() << "read past the end";
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.fault(), Fault::read_past_end);
    }
  }
}

TEST(LineReader, AStopNotedEndsTheReadingAtTheNextBuffer) {
  const test::TempDir dir;
  test::write_file(dir / "a", std::string(std::size_t{3} << 16, 'x'));  // three buffers
  request_interruption(kStopButton);
  try {
    LineReader in(dir / "a");
    while (!in.at_end()) in.read_line();
    ADD_FAILURE() << "read to the end after a stop";
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::interrupted);
  }
  clear_interruption();
}

TEST(LineReader, MissingFileOrFolderCannotBeOpened) {
  const test::TempDir dir;
  for (const std::string& path : {dir / "missing", dir.path().string()}) {
    try {
      LineReader in(path);
      ADD_FAILURE() << path;
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.fault(), Fault::cannot_open);
    }
  }
}

}  // namespace
}  // namespace korvath
