// Reading input and scratch files one line or one item per call, counting lines as they go.
// Nothing holds more than a buffer of the file and one line, so a large download costs what a
// small one does.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "flow/conversion_error.hpp"
#include "flow/item_bytes.hpp"
#include "flow/line_origins.hpp"
#include "flow/text.hpp"
#include "flow/value.hpp"

namespace korvath {

/// No instrument writes a line anywhere near this long; a longer line or item is a fault at its
/// line, so that a file without line ends cannot take the memory with it.
inline constexpr std::size_t kLongestLine = std::size_t{1} << 20;

/// A line read can be read this many bytes past its end, in the reader's own memory: a pass may
/// look at its last bytes sixteen at a time.
inline constexpr std::size_t kLineReadAhead = 64;

/// The length of the text of the file open at `fd` when an end-of-file mark follows it (see
/// find_end_of_file_mark); else UINT64_MAX, also for a file that is no regular file or whose
/// size the system does not know (a kernel file, of size 0). Reads with pread: the file's
/// position stays.
std::uint64_t text_length(int fd);

/// A file opened for reading, with a buffer. Shared by the line and the item readers.
///
/// Line ends: CR LF, a lone CR and a lone LF each end one line (LF followed by CR is two), so a
/// download reads the same whichever line ends it passed through on its way.
class InputFile {
 public:
  /// Throws Fault::cannot_open when the path cannot be opened for reading (or is a folder).
  /// `shown_as` is the name faults report (the user's file when `path` is a copy of it).
  explicit InputFile(std::string path, std::string shown_as = {});

  const std::string& path() const { return path_; }
  /// Reads only the download's text: past a UTF-8 byte order mark (EF BB BF) before it, and up
  /// to the DOS end-of-file mark (Ctrl-Z) or the NUL padding after it (see
  /// find_end_of_file_mark). No instrument writes either: an editor that saves the file as UTF-8
  /// puts the first, a transfer program or a block device the second. Left in place, the first
  /// sticks to the first line's key or name, so that record is lost or renamed, and the second
  /// reads as a last line of marks, which fixed layouts refuse. Call before the first read.
  void skip_marks_around_text();
  /// True when no byte is left.
  bool at_end() { return pos_ == end_ && !refill(); }

  /// Where the line or item read last stands, as the user knows the file (1-based; 0 before the
  /// first read).
  Where where() const { return where_is(current_line_); }
  /// That line's number in this file itself, also when where() names the line of another file
  /// that a scratch record came from: what a declaration made in an earlier pass is keyed by.
  std::uint64_t own_line() const { return current_line_; }
  /// True once the file's last line was read and no line end closed it: where a download that
  /// stopped in the middle of a transfer ends.
  bool last_line_unended() const { return unended_; }

  /// Reports this scratch file's lines as lines of the user's file: through the origin of each
  /// line when `origins` is given, else as the line `lines_before` lines earlier.
  void report_lines_as(std::string input_name, const LineOrigins* origins,
                       std::uint64_t lines_before = 0);
  /// Lets a line of this file be `bytes` longer than kLongestLine: a scratch file that puts a
  /// few bytes of its own before a line the input's bound has let through.
  void allow_longer_lines(std::size_t bytes) { longest_ = kLongestLine + bytes; }

 protected:
  // Makes at least one more byte available; false at the end of the file.
  bool refill();
  // Appends the bytes up to the next line end to `out` and consumes that line end. `line` is the
  // line being read, for the fault of a line longer than kLongestLine.
  void take_line(std::string& out, std::uint64_t line);
  // The next line, its line end consumed: in the buffer where it lies whole in it, else
  // gathered in `spill`. Valid until the next read. Inline for a line that ends in the buffer
  // with a byte after its CR or LF, as nearly every line does: no call a line.
  std::string_view next_line(std::string& spill, std::uint64_t line) {
    const std::size_t stop = next_line_end();
    if (end_ - stop < 2) return spill_line(spill, line);
    const std::string_view text(buffer_.data() + pos_, stop - pos_);
    pos_ = stop + (buffer_[stop] == '\r' && buffer_[stop + 1] == '\n' ? 2 : 1);
    return text;
  }
  // The same for any line: one that runs on past the buffer, or whose line end is its last byte.
  std::string_view spill_line(std::string& spill, std::uint64_t line);
  // The position of the next CR or LF at or after pos_, or end_ when the buffer has none.
  std::size_t next_line_end() const {
    const char* const data = buffer_.data();
    return static_cast<std::size_t>(find_any<'\r', '\n'>(data + pos_, data + end_) - data);
  }
  // The user's view of a line of this file. Inline: a scratch line written or a reading kept
  // asks for it.
  Where where_is(std::uint64_t line) const {
    if (origins_) return {name_, origins_->at(line)};
    return {name_, line > lines_before_ ? line - lines_before_ : 0};
  }

  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::string path_, name_;
  std::unique_ptr<std::FILE, Closer> file_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0, end_ = 0;
  std::uint64_t current_line_ = 0;
  std::uint64_t unread_ = UINT64_MAX;  // the bytes left to read, up to an end-of-file mark
  std::size_t longest_ = kLongestLine;
  bool unended_ = false;  // the last line read ended with the file, not a line end

 private:
  const LineOrigins* origins_ = nullptr;
  std::uint64_t lines_before_ = 0;
};

/// One line per call. A line ends at CR LF, CR or LF; the terminator is dropped; a last line
/// without one is still returned.
class LineReader : public InputFile {
 public:
  using InputFile::InputFile;

  /// The next line, valid until the next read or at_end(). Throws Fault::read_past_end at the end
  /// (at the last line: the file ends where a line was still wanted) and Fault::line_too_long
  /// for a line over kLongestLine. Inline: a call a line.
  std::string_view read_line() {
    if (at_end()) throw ConversionError(Fault::read_past_end, where_is(current_line_));
    ++current_line_;
    return next_line(line_text_, current_line_);
  }

 private:
  std::string line_text_;
};

/// One comma-delimited item per call (`read_item`):
/// - blanks and tabs before an item are skipped;
/// - a quoted item runs to the next double quote, even across line ends (each written CR LF
///   in the item), and is always text; whatever follows it up to the next comma or line end is
///   skipped;
/// - an unquoted item runs to the next comma, CR or LF; blanks and tabs before that are dropped;
/// - the separator is consumed: a comma, CR LF, CR or LF (LF followed by CR is two separators);
/// - an empty unquoted item is an empty value; one that reads as a number in full is a number;
///   anything else is text.
///
/// A record is read as its first item (read_item) and its fields (read_field): the fields of one
/// line only. A record that ends before its layout's last field gets empty values for the
/// fields it lacks, and the next line stays a record of its own.
class ItemReader : public InputFile {
 public:
  using InputFile::InputFile;

  /// The next field of the record on the current line: the next item while the line goes on;
  /// once it has ended, an empty value, and one more field missing (see take_missing). Throws
  /// Fault::read_past_end when the file ends inside the record without a line end, as a
  /// download cut off in the middle of its transfer does.
  void read_field(Value& into) {
    if (line_ended_ || at_end()) return missing_field(&into);
    read_item(into);
  }
  /// The same for a field the converter does not use.
  void skip_field() {
    if (line_ended_ || at_end()) return missing_field(nullptr);
    skip_item();
  }
  /// Passes over the items left on the current line: the items beyond a record's layout.
  void skip_rest_of_line() {
    while (!line_ended_ && !at_end()) skip_item();
  }
  /// True when the item read last ended its line (or the file).
  bool line_ended() const { return line_ended_; }
  /// The fields found missing since the last call.
  std::uint64_t take_missing() { return std::exchange(missing_, 0); }
  /// For a scratch file whose last line stands for the input's last line, which no line end
  /// closed: a record short of fields there is a download cut off, as in the input itself.
  void mark_last_line_unended() { unended_ = true; }

  /// Throws Fault::read_past_end when no byte is left, Fault::number_too_large for 1E999,
  /// Fault::line_too_long for an item over kLongestLine.
  Value read_item();
  /// The same into `into`: a text reuses the string `into` already holds, so a row read into the
  /// same values again and again builds no new strings. Inline for the items records are made
  /// of, whole in the buffer: a short decimal before its separator, or an unquoted text that
  /// begins as no number does (a record key): no call an item. Any other item, and one the
  /// buffer's end cuts, is read by take_item.
  void read_item(Value& into) {
    const char* const begin = item_start();
    const char* const limit = buffer_.data() + end_;
    if (begin < limit && is_number_start(*begin)) {
      std::uint64_t mantissa = 0;
      const char* point = nullptr;
      // The mark after the buffer's bytes ends every reading there, and is neither a blank nor
      // a separator. (Blanks may stand between the two, as in the bare-number text of an
      // earlier pass.)
      const char* const after = read_short_decimal_digits<true>(begin, limit, mantissa, point);
      const char* separator = after;
      if (after)
        while (*separator == ' ' || *separator == '\t') ++separator;
      if (after && is_separator(*separator)) {
        current_line_ = line_;
        assign_short_decimal(into, mantissa, begin, static_cast<std::size_t>(after - begin), point);
        consume_separator_at(separator);
        return;
      }
    } else if (begin < limit && *begin != '"' && !is_separator(*begin) &&
               read_text_item(begin, into)) {
      return;
    }
    take_item<true>(&into);
  }
  /// Reads an item and keeps nothing of it, for items a record holds but a converter does not
  /// use. Its faults are raised all the same (1E999 is still too large a number). Inline for an
  /// item right before its separator in the buffer that cannot fault: one that begins as no
  /// number does (a code, a filler such as "NOTAV"), or a short decimal. take_item passes over
  /// the others that cannot fault.
  void skip_item() {
    const char* const begin = item_start();
    const char* const limit = buffer_.data() + end_;
    if (begin < limit && *begin != '"') {
      std::uint64_t mantissa = 0;
      const char* point = nullptr;
      const char* const stop = is_number_start(*begin)
                                   ? read_short_decimal_digits<true>(begin, limit, mantissa, point)
                                   : find_separator(begin, limit);
      if (stop && stop != limit && is_separator(*stop)) {
        current_line_ = line_;
        consume_separator_at(stop);
        return;
      }
    }
    take_item<false>(nullptr);
  }
  /// The rest of the current line up to its line end, as LineReader reads it, for files that
  /// mix plain lines with comma-delimited tables (TCR 407 IDX). Valid until the next read or
  /// at_end(). Throws Fault::read_past_end at the end.
  std::string_view read_line();

 private:
  // Reads the unquoted text item at `begin`, when it lies whole in the buffer; false, with
  // nothing read, when it does not.
  bool read_text_item(const char* begin, Value& into);
  // Where the next item begins in the buffer, past the blanks and tabs before it; the mark
  // after the buffer's bytes when they run to it.
  const char* item_start() const {
    const char* begin = buffer_.data() + pos_;
    while (*begin == ' ' || *begin == '\t') ++begin;
    return begin;
  }
  int peek() { return pos_ < end_ || refill() ? static_cast<unsigned char>(buffer_[pos_]) : -1; }
  // Consumes a separator at the read position, if any, and counts line ends; at the end of the
  // file, notes that the line ended there.
  void consume_separator();
  // The same for the separator at `separator` in the buffer (a comma, CR or LF). Inline for a
  // comma, the separator of most items.
  void consume_separator_at(const char* separator) {
    pos_ = static_cast<std::size_t>(separator - buffer_.data()) + 1;
    line_ended_ = *separator != ',';
    if (line_ended_) end_line_at(separator);
  }
  // A field of a record whose line has ended: empty, or the fault of a file cut off there.
  void missing_field(Value* into);
  // Counts the line end at `separator` and consumes the LF of a CR LF.
  void end_line_at(const char* separator);
  void check_length() const;
  // Reads any item into `into`, or, without kKeep, only past it, by one of the four paths
  // below. Each starts with the read position at the item's first byte, past its blanks, and
  // ends past its separator; `into` null: the item is not kept.
  template <bool kKeep>
  void take_item(Value* into);
  // A quoted item: in place when it closes on its line in the buffer, else gathered byte by
  // byte, its line ends made CR LF.
  void take_quoted_item(Value* into);
  // When skipping: an item that cannot fault, passed over in the buffer. False, nothing
  // consumed, for one that may be a number too large for a double or that the buffer's end cuts.
  bool pass_over_faultless_item();
  // An unquoted item whole in the buffer, read in place. False, nothing consumed, when the
  // buffer's end cuts it.
  bool take_unquoted_in_buffer(Value* into);
  // An unquoted item that runs past the buffer, gathered a buffer at a time.
  void gather_unquoted_item(Value* into);
  // The value of an unquoted item, blanks and tabs around it dropped; without `into`, only its
  // faults.
  void item_value(std::string_view item, Value* into) const;

  std::string item_;
  std::uint64_t line_ = 1;  // where the next item begins; current_line_: where the last began
  bool line_ended_ = true;  // the item read last ended its line
  std::uint64_t missing_ = 0;
};

}  // namespace korvath
