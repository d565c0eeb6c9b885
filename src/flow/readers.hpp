// Reading input and scratch files one line or one item per call, counting lines as they go.
// Nothing holds more than a buffer of the file, so a large download costs what a small one does.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "flow/conversion_error.hpp"
#include "flow/value.hpp"

namespace korvath {

/// A file opened for reading, with a buffer. Shared by the line and the item readers.
class InputFile {
 public:
  /// Throws Fault::cannot_open when the path cannot be opened for reading (or is a folder).
  explicit InputFile(std::string path);

  const std::string& path() const { return path_; }
  /// True when no byte is left.
  bool at_end() { return pos_ == end_ && !refill(); }

 protected:
  // Makes at least one more byte available; false at the end of the file.
  bool refill();
  // Appends the bytes up to the next CR or CR LF to `out` and consumes that line end.
  void take_line(std::string& out);

  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::string path_;
  std::unique_ptr<std::FILE, Closer> file_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0, end_ = 0;
};

/// One line per call. A line ends at CR or CR LF (a lone LF is an ordinary byte); the terminator
/// is dropped; a last line without one is still returned.
class LineReader : public InputFile {
 public:
  using InputFile::InputFile;

  /// The next line, valid until the next call. Throws Fault::read_past_end at the end.
  std::string_view read_line();
  /// The line read last (1-based; 0 before the first read).
  Where where() const { return {path_, line_}; }

 private:
  std::string line_text_;
  std::uint64_t line_ = 0;
};

/// One comma-delimited item per call (`read_item`):
/// - blanks and tabs before an item are skipped;
/// - a quoted item runs to the next double quote, even across line ends, and is always text;
///   whatever follows it up to the next comma or line end is skipped;
/// - an unquoted item runs to the next comma, CR or LF; blanks and tabs before that are dropped;
/// - the separator is consumed: a comma, CR LF, CR or LF (LF followed by CR is two separators);
/// - an empty unquoted item is an empty value; one that reads as a number in full is a number;
///   anything else is text.
class ItemReader : public InputFile {
 public:
  using InputFile::InputFile;

  /// Throws Fault::read_past_end when no byte is left, Fault::number_too_large for 1E999.
  Value read_item();
  /// The rest of the current line up to CR or CR LF, as LineReader reads it, for files that
  /// mix plain lines with comma-delimited tables (TCR 407 IDX). Valid until the next call.
  /// Throws Fault::read_past_end at the end.
  std::string_view read_line();
  /// The line on which the item read last began (1-based).
  Where where() const { return {path_, item_line_}; }
  /// That line's number in this file itself, also when where() names the line of another file
  /// that a scratch record came from: what a declaration made in an earlier pass is keyed by.
  std::uint64_t own_line() const { return item_line_; }

 private:
  int peek() { return pos_ < end_ || refill() ? static_cast<unsigned char>(buffer_[pos_]) : -1; }
  // Consumes a separator at the read position, if any, and counts line ends.
  void consume_separator();

  std::string item_;
  std::uint64_t line_ = 1, item_line_ = 0;
};

}  // namespace korvath
