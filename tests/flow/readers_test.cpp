#include "flow/readers.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "support/files.hpp"

namespace korvath {
namespace {

using test::TempDir;
using test::write_file;

std::vector<std::string> all_lines(const std::string& path) {
  LineReader in(path);
  std::vector<std::string> lines;
  while (!in.at_end()) lines.emplace_back(in.read_line());
  return lines;
}

TEST(LineReader, EndsLinesAtCrLfCrOrLf) {
  TempDir dir;
  write_file(dir / "a", "one\r\ntwo\rthree\nfour\n\rfive\r\n\r\nlast");
  EXPECT_EQ(all_lines(dir / "a"),
            (std::vector<std::string>{"one", "two", "three", "four", "", "five", "", "last"}));
  write_file(dir / "b", "a\nb\nc\n");
  EXPECT_EQ(all_lines(dir / "b"), (std::vector<std::string>{"a", "b", "c"}));
  write_file(dir / "c", "");
  EXPECT_TRUE(all_lines(dir / "c").empty());
  write_file(dir / "d", "x\r");
  EXPECT_EQ(all_lines(dir / "d"), (std::vector<std::string>{"x"}));
}

TEST(LineReader, CrLfSplitAcrossTheBufferIsOneLineEnd) {
  TempDir dir;
  const std::string first(65535, 'a');  // the CR is the last byte of the first buffer
  write_file(dir / "a", first + "\r\nb\r\n");
  EXPECT_EQ(all_lines(dir / "a"), (std::vector<std::string>{first, "b"}));
  // A CR ending the first buffer, then later buffers of bare line feeds.
  write_file(dir / "b", first + "\r" + std::string(70000, '\n'));
  EXPECT_EQ(all_lines(dir / "b").size(), 70000u);
}

TEST(LineReader, LineOverOneMebibyteIsAFaultAtItsLine) {
  TempDir dir;
  write_file(dir / "a", "one\n" + std::string(kLongestLine, 'x') + "\n" +
                            std::string(kLongestLine + 1, 'y') + "\n");
  LineReader in(dir / "a");
  in.read_line();
  EXPECT_EQ(in.read_line().size(), kLongestLine);
  try {
    in.read_line();
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::line_too_long);
    EXPECT_EQ(e.line(), 3u);
  }
}

TEST(LineReader, MissingFileOrFolderCannotBeOpened) {
  TempDir dir;
  for (const std::string& path : {dir / "missing", dir.path().string()}) {
    try {
      LineReader in(path);
      FAIL() << path;
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.fault(), Fault::cannot_open);
    }
  }
}

std::vector<Value> items(std::string_view bytes, std::size_t count) {
  TempDir dir;
  write_file(dir / "a", bytes);
  ItemReader in(dir / "a");
  std::vector<Value> values;
  for (std::size_t i = 0; i < count; ++i) values.push_back(in.read_item());
  EXPECT_TRUE(in.at_end()) << "bytes left after " << count << " items";
  return values;
}

const Value kEmpty = Empty{};

TEST(ItemReader, NumbersTextsAndEmptyItems) {
  EXPECT_EQ(items("STS,ST1\r\nINH, 1.500 \r\n", 4),
            (std::vector<Value>{text("STS"), text("ST1"), text("INH"), ReadNumber(1.5, "1.500")}));
  EXPECT_EQ(items(" \tP7 ,1000.250,\r\n", 3),
            (std::vector<Value>{text("P7"), ReadNumber(1000.25, "1000.250"), kEmpty}));
  EXPECT_EQ(items("1 2,12x,-.5", 3),
            (std::vector<Value>{text("1 2"), text("12x"), ReadNumber(-0.5, "-.5")}));
}

TEST(ItemReader, QuotedItemsAreTextAndMayCrossLines) {
  EXPECT_EQ(items("\"12\",\"\"\r\n", 2), (std::vector<Value>{text("12"), text("")}));
  EXPECT_EQ(items("\"a,b\" junk,c", 2), (std::vector<Value>{text("a,b"), text("c")}));
  // Every line end inside the quotes is CR LF, whatever the file had.
  for (std::string_view bytes : {"\"two\r\nlines\",x", "\"two\nlines\",x", "\"two\rlines\",x"})
    EXPECT_EQ(items(bytes, 2), (std::vector<Value>{text("two\r\nlines"), text("x")}));
  EXPECT_EQ(items("\"unclosed,rest", 1), (std::vector<Value>{text("unclosed,rest")}));
}

TEST(ItemReader, SeparatorsAtLineEndsAndTheEndOfTheFile) {
  EXPECT_EQ(items("a,", 1), (std::vector<Value>{text("a")}));
  EXPECT_EQ(items("a,,", 2), (std::vector<Value>{text("a"), kEmpty}));
  EXPECT_EQ(items("a\r\n   ", 2), (std::vector<Value>{text("a"), kEmpty}));
  EXPECT_EQ(items("a\n\rb", 3), (std::vector<Value>{text("a"), kEmpty, text("b")}));
  EXPECT_EQ(items("a\r\n\r\nb", 3), (std::vector<Value>{text("a"), kEmpty, text("b")}));
}

TEST(ItemReader, CountsLinesAndFailsAtTheEnd) {
  TempDir dir;
  write_file(dir / "a", "a,\"b\nb\"\r\nc\nd");
  ItemReader in(dir / "a");
  in.read_item();
  in.read_item();
  EXPECT_EQ(in.where().line, 1u);
  in.read_item();
  EXPECT_EQ(in.where().line, 3u);  // after a quoted item that crossed a line feed
  in.read_item();
  EXPECT_EQ(in.where().line, 4u);
  EXPECT_THROW(in.read_item(), ConversionError);
}

TEST(ItemReader, TooLargeNumberIsAConversionError) {
  TempDir dir;
  write_file(dir / "a", "x,1E999\r\n");
  ItemReader in(dir / "a");
  in.read_item();
  try {
    in.read_item();
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::number_too_large);
    EXPECT_EQ(e.line(), 1u);
  }
}

}  // namespace
}  // namespace korvath
