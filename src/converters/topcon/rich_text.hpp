// The rich-text rendering the Topcon GTS 3000 commands pass a download through: plain text in,
// the rendering of a rich-text box out. The window's rich-text box shows the same rendering
// (platform/rich_text_box.hpp).
#pragma once

#include <string>
#include <string_view>

namespace korvath::topcon {

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

/// The opening, the text and the closing, in one piece.
std::string rich_text_rendering(std::string_view text);

}  // namespace korvath::topcon
