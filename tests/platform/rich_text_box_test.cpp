#include "platform/rich_text_box.hpp"

#include <gtest/gtest.h>

namespace korvath {
namespace {

constexpr std::string_view kOpening =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs17 ";

std::string rendering_of(std::string text) {
  RichTextBox box;
  box.Text(std::move(text));
  return box.TextRTF();
}

TEST(RichTextBox, EmptyTextIsOneEmptyParagraph) {
  EXPECT_EQ(rendering_of(""), std::string(kOpening) + "\r\n\\par }\r\n");
}

TEST(RichTextBox, EveryLineFeedStartsAParagraphOnItsOwnLine) {
  EXPECT_EQ(rendering_of("1,ST1,1.550\n2,101,10\n"),
            std::string(kOpening) + "1,ST1,1.550\r\n\\par 2,101,10\r\n\\par \r\n\\par }\r\n");
}

TEST(RichTextBox, BytesPassUnescaped) {
  EXPECT_EQ(rendering_of("a\\b{c}\xC3\xA9\r"),
            std::string(kOpening) + "a\\b{c}\xC3\xA9\r\r\n\\par }\r\n");
}

TEST(RichTextBox, RenderedInPiecesAsInOne) {
  std::string pieces;
  append_rich_text_opening(pieces);
  append_rich_text(pieces, "2,1");
  append_rich_text(pieces, "01\n");
  append_rich_text(pieces, "\n2,102");
  append_rich_text_closing(pieces);
  EXPECT_EQ(pieces, rendering_of("2,101\n\n2,102"));
}

TEST(RichTextBox, TextBoxesHoldTheirText) {
  RichTextBox rt1;
  TextBox text1;
  rt1.Text("a\nb");
  text1.Text("c");
  EXPECT_EQ(rt1.Text(), "a\nb");
  EXPECT_EQ(text1.Text(), "c");
  rt1.Text("");
  EXPECT_EQ(rt1.Text(), "");
}

}  // namespace
}  // namespace korvath
