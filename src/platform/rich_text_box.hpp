// The work area of the Topcon conversions: a rich-text box that holds plain text and gives its
// rich-text rendering. It is ours, without any windowing system, so the window and the command
// line render alike.
#pragma once

#include <string>
#include <string_view>

namespace korvath {

/// The rendering in pieces, for a text too long to hold at once:
/// - the opening: the header line with the font table, CR LF, then the control words of the
///   document and one blank, after which the first paragraph follows;
/// - the text: every byte as it is (no escaping: backslashes, braces and bytes outside ASCII
///   pass unchanged), a line feed becoming CR LF and "\par " (a new paragraph on its own line);
/// - the closing: CR LF, "\par }", CR LF.
/// Each appends to `out`.
void append_rich_text_opening(std::string& out);
void append_rich_text(std::string& out, std::string_view text);
void append_rich_text_closing(std::string& out);

/// `RT1`: plain text in, its rendering out.
class RichTextBox {
 public:
  const std::string& Text() const { return text_; }
  void Text(std::string text) { text_ = std::move(text); }
  /// The opening, the text and the closing, in one piece.
  std::string TextRTF() const;

 private:
  std::string text_;
};

}  // namespace korvath
