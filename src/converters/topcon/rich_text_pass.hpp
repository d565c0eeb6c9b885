// The rich-text pass of the Topcon GTS 3000 commands: the download's lines, joined as they are
// read, go through the rich-text box's rendering and come back as lines again, one for every
// record that the instrument separated with a bare line feed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "flow/readers.hpp"

namespace korvath::topcon {

/// Pass A: the input's lines joined with nothing between them (CR and CR LF dropped, a bare line
/// feed kept), rendered as rich text, every "\par " removed, then written to the first scratch
/// file followed by CR LF. The input is streamed, never held, whatever its line ends.
void rich_text_pass(const std::string& input, const std::string& first_scratch);

/// The data lines of the first scratch file, read one at a time (see rich_text_data_lines).
class RichTextDataLines {
 public:
  explicit RichTextDataLines(std::string first_scratch) : in_(std::move(first_scratch)) {}

  /// The next data line, valid until the next call; nullopt at the end. The first call throws
  /// Fault::read_past_end when the file has fewer than two lines.
  std::optional<std::string_view> next();
  /// The line of the first scratch file that the last data line came from.
  Where where() const { return in_.where(); }

 private:
  LineReader in_;
  bool started_ = false;
};

/// The data lines of the first scratch file: the text of line 2 after its first blank (empty
/// when it has none), then every later line whose trim is neither empty nor "}", untrimmed.
inline RichTextDataLines rich_text_data_lines(std::string first_scratch) {
  return RichTextDataLines(std::move(first_scratch));
}

}  // namespace korvath::topcon
