#include "platform/rich_text_box.hpp"

#include "converters/topcon/rich_text.hpp"

namespace korvath {

std::string RichTextBox::TextRTF() const {
  return topcon::rich_text_rendering(text_);
}

}  // namespace korvath
