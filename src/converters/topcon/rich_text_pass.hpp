// The rich-text pass of the Topcon GTS 3000 commands: the download's lines, joined as they are
// read, go through the rich-text box's rendering and come back as lines again, one for every
// record that the instrument separated with a bare line feed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <cstring>

#include "flow/output_file.hpp"
#include "flow/readers.hpp"

namespace korvath::topcon {

// The instrument file with every line end (CR LF, CR, LF) written as the bare line feed that
// separates its records, a buffer at a time, so that a download is never held whole.
class RecordText : public InputFile {
 public:
  using InputFile::InputFile;

  /// The next piece of the text; empty at the end of the file. Throws Fault::line_too_long for a
  /// record over kLongestLine.
  std::string_view next_piece() {
    piece_.clear();
    while (piece_.empty() && !at_end()) {
      const char* p = buffer_.data() + pos_;
      const char* const end = buffer_.data() + end_;
      if (after_cr_ && *p == '\n') ++p;  // the LF of a CR LF split between two buffers
      after_cr_ = false;
      while (p != end) {
        const auto* cr = static_cast<const char*>(std::memchr(p, '\r', end - p));
        const char* const stop = cr ? cr : end;
        count_records(p, stop);
        piece_.append(p, stop);
        if (!cr) break;
        end_record();
        piece_.push_back('\n');
        p = cr + 1;
        if (p == end) {
          after_cr_ = true;
        } else if (*p == '\n') {
          ++p;
        }
      }
      pos_ = end_;
    }
    return piece_;
  }

 private:
  // Counts the records that end in [p, stop) and the length of the one still open.
  void count_records(const char* p, const char* stop) {
    while (const auto* lf = static_cast<const char*>(std::memchr(p, '\n', stop - p))) {
      add_length(static_cast<std::size_t>(lf - p));
      end_record();
      p = lf + 1;
    }
    add_length(static_cast<std::size_t>(stop - p));
  }
  void add_length(std::size_t bytes) {
    record_length_ += bytes;
    if (record_length_ > kLongestLine)
      throw ConversionError(Fault::line_too_long, where_is(records_ + 1));
  }
  void end_record() {
    ++records_;
    record_length_ = 0;
  }

  std::string piece_;
  bool after_cr_ = false;
  std::uint64_t records_ = 0;
  std::size_t record_length_ = 0;
};

/// Pass A: the input's records (every line end a bare line feed) rendered as rich text, every
/// "\par " removed, then written to the first scratch file followed by CR LF. The input is
/// streamed, never held. Line n of the rendering, from 2 on, holds the input's line n - 1.
void rich_text_pass(RecordText& in, OutputFile& first_scratch);

/// The data lines of the first scratch file, one at a time: the text of line 2 after its first
/// blank (empty when it has none), then every later line whose trim is neither empty nor "}",
/// untrimmed.
class RichTextDataLines {
 public:
  /// `rendering` reports its lines as the input's (see rich_text_pass).
  explicit RichTextDataLines(LineReader rendering);

  /// The next data line, valid until the next call; nullopt at the end. The first call throws
  /// Fault::read_past_end when the file has fewer than two lines.
  std::optional<std::string_view> next();
  /// The rendering, to follow its lines.
  const LineReader& reader() const { return in_; }

 private:
  LineReader in_;
  bool started_ = false;
};

}  // namespace korvath::topcon
