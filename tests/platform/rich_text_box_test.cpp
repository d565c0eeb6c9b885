#include "platform/rich_text_box.hpp"

#include <gtest/gtest.h>

namespace korvath {
namespace {

constexpr std::string_view kOpening =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs17 ";

TEST(RichTextBox, RenderingOfItsText) {
  const struct {
    std::string_view text, after_opening;
  } cases[] = {
      {"", "\r\n\\par }\r\n"},
      {"1,ST1,1.550\n2,101,10\n", "1,ST1,1.550\r\n\\par 2,101,10\r\n\\par \r\n\\par }\r\n"},
      {"a\\b{c}\xC3\xA9\r", "a\\b{c}\xC3\xA9\r\r\n\\par }\r\n"},  // nothing is escaped
  };
  for (const auto& c : cases) {
    RichTextBox rt1;
    rt1.Text(std::string(c.text));
    EXPECT_EQ(rt1.TextRTF(), std::string(kOpening) + std::string(c.after_opening));
  }
}

}  // namespace
}  // namespace korvath
