#include "converters/topcon/rich_text_pass.hpp"

#include <cstring>

#include "converters/topcon/rich_text.hpp"
#include "flow/output_file.hpp"
#include "flow/text.hpp"

namespace korvath::topcon {
namespace {

// Writes what it is given with every "\par " removed, exactly as replace_all would remove them
// from the whole rendering. A mark begun at the end of one piece may end in the next, so up to
// four bytes wait for the next piece; the mark cannot overlap itself, so a mismatch restarts at
// the byte that broke it.
class ParagraphMarkRemover {
 public:
  explicit ParagraphMarkRemover(OutputFile& out) : out_(out) {}

  void write(std::string_view piece) {
    kept_.clear();
    std::size_t i = 0;
    while (i < piece.size()) {
      if (matched_ == 0) {
        const auto mark = piece.find('\\', i);
        kept_.append(piece.substr(i, mark - i));
        if (mark == std::string_view::npos) break;
        i = mark + 1;
        matched_ = 1;
      } else if (piece[i] == kMark[matched_]) {
        ++i;
        if (++matched_ == kMark.size()) matched_ = 0;
      } else {
        kept_.append(kMark.substr(0, matched_));  // no mark after all; piece[i] is looked at anew
        matched_ = 0;
      }
    }
    out_.write(kept_);
  }
  /// True when no mark is begun: what is written next starts afresh.
  bool idle() const { return matched_ == 0; }
  /// Writes the bytes of an unfinished mark.
  void finish() {
    out_.write(kMark.substr(0, matched_));
    matched_ = 0;
  }

 private:
  static constexpr std::string_view kMark = "\\par ";
  OutputFile& out_;
  std::string kept_;
  std::size_t matched_ = 0;
};

// Writes the records of `joined` (separated by line feeds) with a CR LF after each but the last:
// the rendering of records without a backslash, every paragraph mark removed.
void write_rendered_records(std::string_view joined, OutputFile& out) {
  for (auto lf = joined.find('\n'); lf != std::string_view::npos; lf = joined.find('\n')) {
    out.write(joined.substr(0, lf));
    out.write("\r\n");
    joined.remove_prefix(lf + 1);
  }
  out.write(joined);
}

}  // namespace

void rich_text_pass(RecordText& in, OutputFile& scratch) {
  ParagraphMarkRemover stripped(scratch);
  std::string rendering;
  append_rich_text_opening(rendering);
  stripped.write(rendering);
  for (std::string_view joined = in.next_piece(); !joined.empty(); joined = in.next_piece()) {
    // Records without a backslash hold no mark and no part of one, so only the marks the
    // rendering puts after each record would be removed: they are never made.
    if (stripped.idle() && joined.find('\\') == std::string_view::npos) {
      write_rendered_records(joined, scratch);
      continue;
    }
    rendering.clear();
    append_rich_text(rendering, joined);
    stripped.write(rendering);
  }
  rendering.clear();
  append_rich_text_closing(rendering);
  stripped.write(rendering);
  stripped.finish();
  scratch.write("\r\n");
  scratch.close();
}

RichTextDataLines::RichTextDataLines(LineReader rendering) : in_(std::move(rendering)) {
  // The first record follows the opening's control words on line 2: a record as long as the
  // input may hold stays readable there.
  std::string opening;
  append_rich_text_opening(opening);
  in_.allow_longer_lines(opening.size());
}

std::optional<std::string_view> RichTextDataLines::next() {
  if (!started_) {
    started_ = true;
    in_.read_line();  // the header with the font table
    const std::string_view second = in_.read_line();
    const auto blank = second.find(' ');
    return blank == std::string_view::npos ? std::string_view() : second.substr(blank + 1);
  }
  while (!in_.at_end()) {
    const std::string_view line = in_.read_line();
    // A record begins with neither a blank nor a brace: kept without a look at the rest.
    if (!line.empty() && line[0] != ' ' && line[0] != '}') return line;
    const std::string_view trimmed = trim(line);
    if (!trimmed.empty() && trimmed != "}") return line;
  }
  return std::nullopt;
}

}  // namespace korvath::topcon
