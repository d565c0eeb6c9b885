#include "flow/readers.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "flow/interruption.hpp"
#include "flow/text.hpp"

namespace korvath {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
// A number of this many digits, without exponent, is still below the largest double (1.8e308).
constexpr std::ptrdiff_t kDigitsBelowOverflow = 308;

// The line gathered in `spill`, with room after it that can be read (kLineReadAhead).
std::string_view with_read_ahead(std::string& spill) {
  const std::size_t length = spill.size();
  spill.resize(length + kLineReadAhead);
  return {spill.data(), length};
}

}  // namespace

// Read from the end, a block at a time, as long as the marks and line ends run on.
std::uint64_t text_length(int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return UINT64_MAX;
  std::uint64_t length = UINT64_MAX, end = static_cast<std::uint64_t>(info.st_size);
  std::array<char, 4096> block{};
  while (end > 0) {
    const std::uint64_t start = end > block.size() ? end - block.size() : 0;
    const auto size = static_cast<std::size_t>(end - start);
    // A read that fails here fails again where the text is read, and is reported there.
    if (pread(fd, block.data(), size, static_cast<off_t>(start)) != static_cast<ssize_t>(size))
      return UINT64_MAX;
    const EndOfFileMark mark = find_end_of_file_mark({block.data(), size});
    if (mark.at != std::string_view::npos) length = start + mark.at;
    if (!mark.whole_run) break;
    end = start;
  }
  return length;
}

// The buffer has room past its data: a number's text is copied whole, a line read ahead.
InputFile::InputFile(std::string path, std::string shown_as)
    : path_(std::move(path)),
      name_(shown_as.empty() ? path_ : std::move(shown_as)),
      buffer_(kBufferSize + std::max(ReadNumber::kLongestText, kLineReadAhead)) {
  errno = 0;
  file_.reset(std::fopen(path_.c_str(), "rb"));
  struct stat info {};
  if (!file_ || fstat(fileno(file_.get()), &info) != 0 || S_ISDIR(info.st_mode))
    throw ConversionError(Fault::cannot_open, {name_, 0}, std::strerror(errno ? errno : EISDIR));
}

void InputFile::report_lines_as(std::string input_name, const LineOrigins* origins,
                                std::uint64_t lines_before) {
  name_ = std::move(input_name);
  origins_ = origins;
  lines_before_ = lines_before;
}

bool InputFile::refill() {
  check_interruption(where_is(current_line_));  // a buffer at a time: a signal ends the run soon
  pos_ = 0;
  end_ = std::fread(buffer_.data(), 1,
                    static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, unread_)),
                    file_.get());
  unread_ -= end_;
  buffer_[end_] = '\0';  // marks the end for the readings of numbers, which stop at it
  if (end_ == 0 && std::ferror(file_.get())) {
    check_interruption(where_is(current_line_));
    throw ConversionError(Fault::cannot_open, {name_, 0}, std::strerror(errno));
  }
  return end_ > 0;
}

void InputFile::skip_marks_around_text() {
  unread_ = text_length(fileno(file_.get()));
  if (pos_ == 0 && (end_ > 0 || refill()) &&
      std::string_view(buffer_.data(), end_).starts_with(kByteOrderMark))
    pos_ = kByteOrderMark.size();
}

void InputFile::take_line(std::string& out, std::uint64_t line) {
  for (;;) {
    const std::size_t stop = next_line_end();
    if (out.size() + (stop - pos_) > longest_)
      throw ConversionError(Fault::line_too_long, where_is(line));
    out.append(buffer_.data() + pos_, stop - pos_);
    pos_ = stop;
    if (stop != end_) {
      const char line_end = buffer_[pos_++];
      if (line_end == '\r' && (pos_ < end_ || refill()) && buffer_[pos_] == '\n') ++pos_;
      return;
    }
    if (!refill()) {
      unended_ = true;
      return;
    }
  }
}

std::string_view InputFile::spill_line(std::string& spill, std::uint64_t line) {
  const std::size_t stop = next_line_end();
  if (stop == end_) {  // the line runs on past this buffer: gathered in `spill`
    spill.clear();
    take_line(spill, line);
    return with_read_ahead(spill);
  }
  // The line lies whole in the buffer, read where it stands; its line end may be the last byte.
  std::string_view text(buffer_.data() + pos_, stop - pos_);
  pos_ = stop + 1;
  if (buffer_[stop] == '\r') {
    if (pos_ == end_) {  // the LF that may follow is in the next buffer, which replaces this one
      text = with_read_ahead(spill.assign(text));
      if (refill() && buffer_[pos_] == '\n') ++pos_;
    } else if (buffer_[pos_] == '\n') {
      ++pos_;
    }
  }
  return text;
}

void ItemReader::consume_separator() {
  const int c = peek();
  if (c == ',' || c == '\r' || c == '\n') {
    consume_separator_at(buffer_.data() + pos_);
  } else if (c == -1) {
    line_ended_ = unended_ = true;
  }
}

void ItemReader::missing_field(Value* into) {
  // The file ends inside the record: after a comma, or on a last line without its line end.
  if (at_end() && (!line_ended_ || unended_)) throw ConversionError(Fault::read_past_end, where());
  line_ended_ = true;
  ++missing_;
  if (into) *into = Empty{};
}

void ItemReader::end_line_at(const char* separator) {
  ++line_;
  if (*separator == '\r' && (pos_ < end_ || refill()) && buffer_[pos_] == '\n') ++pos_;
}

void ItemReader::check_length() const {
  if (item_.size() > kLongestLine) throw ConversionError(Fault::line_too_long, where());
}

std::string_view ItemReader::read_line() {
  if (at_end()) throw ConversionError(Fault::read_past_end, where());
  current_line_ = line_++;
  line_ended_ = true;
  return next_line(item_, current_line_);
}

Value ItemReader::read_item() {
  Value item;
  read_item(item);
  return item;
}

// Compiled once for reading and once for skipping: reading, the hot path of every converter,
// pays for no test of whether it keeps what it reads before it takes one of the paths below.
template <bool kKeep>
void ItemReader::take_item(Value* into) {
  if (at_end()) throw ConversionError(Fault::read_past_end, where());
  int c = peek();
  while (c == ' ' || c == '\t') {
    ++pos_;
    c = peek();
  }
  current_line_ = line_;
  if (c == '"') {
    take_quoted_item(into);
    return;
  }
  if constexpr (!kKeep) {
    if (pass_over_faultless_item()) return;
  }
  if (take_unquoted_in_buffer(into)) return;
  gather_unquoted_item(into);
}

void ItemReader::take_quoted_item(Value* into) {
  // Most quoted items close on their line, with their separator right after, in the buffer:
  // taken where they stand.
  const char* const open = buffer_.data() + pos_ + 1;
  const char* const limit = buffer_.data() + end_;
  if (const auto* close = static_cast<const char*>(std::memchr(open, '"', limit - open))) {
    const std::string_view text(open, static_cast<std::size_t>(close - open));
    const char* const stop = find_separator(close + 1, limit);
    const bool one_line =
        std::none_of(text.begin(), text.end(), [](char t) { return t == '\r' || t == '\n'; });
    if (stop != limit && one_line) {
      if (into) assign_text(*into, text);
      consume_separator_at(stop);
      return;
    }
  }
  item_.clear();
  ++pos_;
  int c = peek();
  for (; c != -1 && c != '"'; c = peek()) {
    ++pos_;
    if (c == '\r' || c == '\n') {
      // Every line end inside the quotes is the file's own CR LF, and counts as one line.
      if (c == '\r' && peek() == '\n') ++pos_;
      item_.append("\r\n");
      ++line_;
    } else {
      item_.push_back(static_cast<char>(c));
    }
    if (item_.size() > kLongestLine) check_length();
  }
  if (c == '"') ++pos_;
  for (c = peek(); c != -1 && !is_separator(static_cast<char>(c)); c = peek()) ++pos_;
  consume_separator();
  if (into) assign_text(*into, item_);
}

bool ItemReader::pass_over_faultless_item() {
  // Only a number too large for a double can fault an item that lies whole in the buffer, and
  // that begins as a number does and takes an exponent mark or over 308 digits: any other item
  // (a date such as 06-12-2026 among them) is passed over where its separator stands.
  const char* const begin = buffer_.data() + pos_;
  const char* const limit = buffer_.data() + end_;
  const bool may_be_number = is_number_start(*begin);
  const char* const stop = may_be_number
                               ? find_any<',', '\r', '\n', 'E', 'e', 'D', 'd'>(begin, limit)
                               : find_separator(begin, limit);
  if (stop == limit || !is_separator(*stop) ||
      (may_be_number && stop - begin > kDigitsBelowOverflow))
    return false;
  consume_separator_at(stop);
  return true;
}

bool ItemReader::take_unquoted_in_buffer(Value* into) {
  const char* const begin = buffer_.data() + pos_;
  const char* const stop = find_separator(begin, buffer_.data() + end_);
  if (stop == buffer_.data() + end_) return false;
  // Read in place, nothing copied (the item is shorter than the buffer, so than kLongestLine).
  // The separator is consumed last, as it may refill the buffer.
  item_value(trim_blanks_and_tabs({begin, static_cast<std::size_t>(stop - begin)}), into);
  consume_separator_at(stop);
  return true;
}

void ItemReader::gather_unquoted_item(Value* into) {
  item_.clear();
  for (;;) {
    const char* from = buffer_.data() + pos_;
    const char* const last = buffer_.data() + end_;
    const char* const to = find_separator(from, last);
    item_.append(from, to);
    pos_ += static_cast<std::size_t>(to - from);
    check_length();
    if (to != last || !refill()) break;
  }
  consume_separator();
  item_value(trim_blanks_and_tabs(item_), into);
}

bool ItemReader::read_text_item(const char* begin, Value& into) {
  const char* const stop = find_separator(begin, buffer_.data() + end_);
  if (stop == buffer_.data() + end_) return false;
  const char* end = stop;  // blanks and tabs before the separator dropped
  while (end[-1] == ' ' || end[-1] == '\t') --end;
  current_line_ = line_;
  assign_text(into, {begin, static_cast<std::size_t>(end - begin)});
  consume_separator_at(stop);
  return true;
}

// The inline reads of readers.hpp call these for every item they do not take themselves.
template void ItemReader::take_item<true>(Value* into);
template void ItemReader::take_item<false>(Value* into);

void ItemReader::item_value(std::string_view item, Value* into) const {
  if (double number = 0; read_short_decimal(item, number)) {
    if (into) *into = ReadNumber(number, item);
    return;
  }
  if (item.empty()) {
    if (into) *into = Empty{};
    return;
  }
  // A record key such as "NOTAV" is no number, and needs no look-up of where it stands.
  if (is_number_start(item[0])) {
    if (const auto number = parse_number(item, where())) {
      if (into) *into = ReadNumber(*number, {});
      return;
    }
  }
  if (into) assign_text(*into, item);
}

}  // namespace korvath
