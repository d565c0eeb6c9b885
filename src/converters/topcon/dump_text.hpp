// The text a Topcon GTS-200 sends over its serial line, freed of its framing. A terminal program
// saves it in one of two shapes: blocks of STX, 128 characters, 4 check characters and ETX, one
// a line, then EOT; or the bare stream, with no line end at all. Records run on from block to
// block, even inside a number: the text is handed on in pieces, each with the line it stands on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "flow/readers.hpp"
#include "flow/record_tally.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::topcon {

/// Lines read in runs: up to the line end or the end of the reader's buffer, whichever comes
/// first, so that a stream without line ends is read without being gathered.
class RunReader : public LineReader {
 public:
  using LineReader::LineReader;

  /// Whether the first byte other than a blank or a line end is STX (a framed dump).
  bool starts_with_frame();
  /// The next run (empty at most once, past a CR LF that the buffer's end split). Test at_end()
  /// before each read; valid until the next read or at_end(). where() gives its line.
  std::string_view read_run();

 private:
  bool line_ended_ = true, cr_at_end_ = false;
};

/// One piece of the dump's text; `broken`: the text before it and after it do not join, as a
/// damaged block stood between them.
struct DumpPiece {
  std::string_view text;
  Where where;
  bool broken = false;
};

class DumpText {
 public:
  /// Notes each damaged block, and counts what stands after the end of the dump (EOT).
  DumpText(Conversion& c, RecordTally& tally);

  /// The next piece; false when the dump is read to its end.
  bool next(DumpPiece& piece);

 private:
  // The next frame line (framed shape); false at the end of the dump.
  bool next_frame(DumpPiece& piece);
  // A frame's data, or why the frame is damaged (its data lost).
  bool take_frame(std::string_view line, const Where& where, DumpPiece& piece);
  void damaged(const Where& where, const std::string& why);
  // Counts a non-blank line after EOT.
  void after_end(std::string_view line, const Where& where);

  Conversion& c_;
  RecordTally& tally_;
  RunReader in_;
  bool framed_, ended_ = false;
  bool broken_ = false;  // a damaged block stands before the next piece
  std::size_t after_end_;
  std::uint64_t last_after_end_ = 0;
  std::string short_frame_;  // a frame of fewer than 128 characters, whole only as the last one
  Where short_where_;
  bool short_pending_ = false;
};

}  // namespace korvath::topcon
