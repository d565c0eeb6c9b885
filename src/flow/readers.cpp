#include "flow/readers.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "flow/text.hpp"

namespace korvath {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

InputFile::InputFile(std::string path) : path_(std::move(path)), buffer_(kBufferSize) {
  errno = 0;
  file_.reset(std::fopen(path_.c_str(), "rb"));
  struct stat info {};
  if (!file_ || fstat(fileno(file_.get()), &info) != 0 || S_ISDIR(info.st_mode))
    throw ConversionError(Fault::cannot_open, {path_, 0}, std::strerror(errno ? errno : EISDIR));
}

bool InputFile::refill() {
  pos_ = 0;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
  if (end_ == 0 && std::ferror(file_.get()))
    throw ConversionError(Fault::cannot_open, {path_, 0}, std::strerror(errno));
  return end_ > 0;
}

void InputFile::take_line(std::string& out) {
  for (;;) {
    const char* begin = buffer_.data() + pos_;
    const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', end_ - pos_));
    if (cr) {
      out.append(begin, cr);
      pos_ += static_cast<std::size_t>(cr - begin) + 1;
      if ((pos_ < end_ || refill()) && buffer_[pos_] == '\n') ++pos_;
      return;
    }
    out.append(begin, end_ - pos_);
    pos_ = end_;
    if (!refill()) return;
  }
}

std::string_view LineReader::read_line() {
  if (at_end()) throw ConversionError(Fault::read_past_end, {path_, line_ + 1});
  ++line_;
  line_text_.clear();
  take_line(line_text_);
  return line_text_;
}

void ItemReader::consume_separator() {
  const int c = peek();
  if (c == ',') {
    ++pos_;
  } else if (c == '\r') {
    ++pos_;
    ++line_;
    if (peek() == '\n') ++pos_;
  } else if (c == '\n') {
    ++pos_;
    ++line_;
  }
}

std::string_view ItemReader::read_line() {
  if (at_end()) throw ConversionError(Fault::read_past_end, {path_, line_});
  item_line_ = line_++;
  item_.clear();
  take_line(item_);
  return item_;
}

Value ItemReader::read_item() {
  if (at_end()) throw ConversionError(Fault::read_past_end, {path_, line_});
  int c = peek();
  while (c == ' ' || c == '\t') {
    ++pos_;
    c = peek();
  }
  item_line_ = line_;
  item_.clear();
  if (c == '"') {
    ++pos_;
    for (c = peek(); c != -1 && c != '"'; c = peek()) {
      // A line end inside quotes is part of the text; CR LF counts as one line.
      if (c == '\r' || (c == '\n' && (item_.empty() || item_.back() != '\r'))) ++line_;
      item_.push_back(static_cast<char>(c));
      ++pos_;
    }
    if (c == '"') ++pos_;
    for (c = peek(); c != -1 && c != ',' && c != '\r' && c != '\n'; c = peek()) ++pos_;
    consume_separator();
    return Value(item_);
  }
  for (;;) {
    const char* begin = buffer_.data() + pos_;
    const char* stop = begin;
    const char* const limit = buffer_.data() + end_;
    while (stop != limit && *stop != ',' && *stop != '\r' && *stop != '\n') ++stop;
    item_.append(begin, stop);
    pos_ += static_cast<std::size_t>(stop - begin);
    if (stop != limit || !refill()) break;
  }
  consume_separator();
  const std::string_view item = trim_blanks_and_tabs(item_);
  if (item.empty()) return Empty{};
  if (const auto number = parse_number(item, where())) return *number;
  return Value(std::string(item));
}

}  // namespace korvath
