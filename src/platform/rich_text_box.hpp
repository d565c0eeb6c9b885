// The work area of the Topcon conversions: a rich-text box that holds plain text and gives its
// rich-text rendering (the Topcon commands' own, converters/topcon/rich_text.hpp). It is ours,
// without any windowing system, so the window and the command line render alike.
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

}  // namespace korvath
