// The two work areas of the Topcon conversions: a rich-text box that holds plain text and gives
// its rich-text rendering (the Topcon commands' own, converters/topcon/rich_text.hpp), and a
// plain text box. Both are ours, without any windowing system, so the window and the command
// line hold the same objects.
#pragma once

#include <string>

namespace korvath {

/// `RT1`: plain text in, its rendering out.
class RichTextBox {
 public:
  const std::string& Text() const { return text_; }
  void Text(std::string text) { text_ = std::move(text); }
  /// The rendering of the text: its opening, the text and its closing, in one piece.
  std::string TextRTF() const;

 private:
  std::string text_;
};

/// `Text1`: plain text, held as it is given.
class TextBox {
 public:
  const std::string& Text() const { return text_; }
  void Text(std::string text) { text_ = std::move(text); }

 private:
  std::string text_;
};

}  // namespace korvath
