#include "converters/topcon/rich_text_pass.hpp"

#include <gtest/gtest.h>

#include "flow/readers.hpp"
#include "flow/text.hpp"
#include "platform/rich_text_box.hpp"
#include "support/files.hpp"

namespace korvath::topcon {
namespace {

using test::read_file;
using test::TempDir;
using test::write_file;

// The pass as written for the window: every line read appended to RT1, the rendering stripped
// of "\par ", and one more CR LF.
std::string whole_text_pass(const std::string& input) {
  LineReader in(input);
  std::string joined;
  while (!in.at_end()) joined += in.read_line();
  RichTextBox rt1;
  rt1.Text(joined);
  return replace_all(rt1.TextRTF(), "\\par ", "") + "\r\n";
}

std::string streamed_pass(const TempDir& dir, std::string_view input) {
  write_file(dir / "in.dat", input);
  rich_text_pass(dir / "in.dat", dir / "Top300hlp.txt");
  return read_file(dir / "Top300hlp.txt");
}

TEST(TopconRichTextPass, WorkedExampleRendering) {
  TempDir dir;
  EXPECT_EQ(streamed_pass(dir, "1,ST1,1.550\n2,101,10.0000,99.5000,45.250,1.300\n"),
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n"
            "\\viewkind4\\uc1\\pard\\f0\\fs17 1,ST1,1.550\r\n"
            "2,101,10.0000,99.5000,45.250,1.300\r\n"
            "\r\n"
            "}\r\n"
            "\r\n");
}

TEST(TopconRichTextPass, CrLfAndCrLinesJoinWithoutSeparator) {
  TempDir dir;
  EXPECT_EQ(streamed_pass(dir, "1,ST1,1.5\r\n2,S2\r3\r\n"),
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n"
            "\\viewkind4\\uc1\\pard\\f0\\fs17 1,ST1,1.52,S23\r\n"
            "}\r\n\r\n");
}

TEST(TopconRichTextPass, MarksInTheDataAreRemovedToo) {
  TempDir dir;
  const std::string streamed = streamed_pass(dir, "2,\\par x,\\pa,\\\\par \n\\par ");
  EXPECT_EQ(streamed, whole_text_pass(dir / "in.dat"));
  EXPECT_EQ(streamed,
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n"
            "\\viewkind4\\uc1\\pard\\f0\\fs17 2,x,\\pa,\\\r\n\r\n}\r\n\r\n");
}

// The input is read a 64 KiB buffer at a time: a CR LF or a "\par " cut by the buffer's end
// must give what the whole text gives.
TEST(TopconRichTextPass, StreamingMatchesTheWholeTextAcrossBuffers) {
  constexpr std::size_t kBuffer = 1 << 16;
  const std::string_view cuts[] = {"\r\n", "\\par ", "\r\r\n\n", "\\\\par  \\par\\par "};
  TempDir dir;
  for (std::string_view cut : cuts) {
    for (std::size_t back = 0; back <= cut.size(); ++back) {
      std::string input(kBuffer - back, 'x');
      for (std::size_t i = 0; i < input.size(); i += 97) input[i] = '\n';
      input += cut;
      input += "2,101\n";
      const std::string streamed = streamed_pass(dir, input);
      ASSERT_EQ(streamed, whole_text_pass(dir / "in.dat")) << "cut " << cut << " back " << back;
    }
  }
}

TEST(TopconRichTextPass, DataLinesAfterTheFirstBlankThenNonBlankLines) {
  TempDir dir;
  write_file(dir / "r.txt", "header\r\n\\ctrl first line\r\n  \r\n }  \r\n a \r\n}x\r\n}\r\n");
  auto lines = rich_text_data_lines(dir / "r.txt");
  std::vector<std::string> got;
  while (const auto line = lines.next()) got.emplace_back(*line);
  EXPECT_EQ(got, (std::vector<std::string>{"first line", " a ", "}x"}));
}

TEST(TopconRichTextPass, SecondLineWithoutBlankGivesAnEmptyFirstDataLine) {
  TempDir dir;
  write_file(dir / "r.txt", "header\r\nnoblank");
  auto lines = rich_text_data_lines(dir / "r.txt");
  EXPECT_EQ(lines.next(), std::string_view());
  EXPECT_EQ(lines.next(), std::nullopt);
}

TEST(TopconRichTextPass, FewerThanTwoLinesReadsPastTheEnd) {
  TempDir dir;
  write_file(dir / "r.txt", "header\r\n");
  auto lines = rich_text_data_lines(dir / "r.txt");
  try {
    lines.next();
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::read_past_end);
    EXPECT_EQ(e.line(), 2u);
  }
}

}  // namespace
}  // namespace korvath::topcon
