#include "flow/signature.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "flow/conversion_error.hpp"
#include "flow/readers.hpp"
#include "flow/report.hpp"
#include "flow/text.hpp"

namespace korvath {
namespace {

// STX, ETX and EOT: the block framing of a download sent over a serial line (Topcon GTS-200),
// two bytes every 135; the text they frame is the file's.
bool is_serial_framing(unsigned char c) {
  return c == 0x02 || c == 0x03 || c == 0x04;
}

}  // namespace

Prefix Prefix::of(std::string_view bytes, bool whole) {
  if (bytes.size() > kPrefixBytes) {
    bytes = bytes.substr(0, kPrefixBytes);
    whole = false;
  }
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  // The marks after the text are known only when the file ends within the prefix.
  if (whole) bytes = bytes.substr(0, find_end_of_file_mark(bytes).at);
  Prefix prefix;
  prefix.whole = whole;
  std::size_t controls = 0;
  std::size_t start = 0;
  const char* const data = bytes.data();
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < size; ++i) {
    // Most bytes are printable: a tight scan to the next control byte.
    while (i < size && static_cast<unsigned char>(data[i]) >= 0x20) ++i;
    if (i == size) break;
    const auto c = static_cast<unsigned char>(data[i]);
    if (c == 0) prefix.text = false;
    if (c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != 0x1a &&
        !is_serial_framing(c))
      ++controls;
    if (c != '\r' && c != '\n') continue;
    prefix.lines.emplace_back(data + start, i - start);
    if (c == '\r') {
      prefix.cr = true;
      if (i + 1 < size && data[i + 1] == '\n') ++i;
    } else {
      prefix.lone_lf = true;
    }
    start = i + 1;
  }
  // The last line counts only when the file ends there; a cut line could mislead a signature.
  if (start < bytes.size() && whole) prefix.lines.emplace_back(bytes.substr(start));
  if (start < bytes.size() && !whole) prefix.cut = bytes.substr(start);
  if (controls * 100 > bytes.size()) prefix.text = false;
  return prefix;
}

Prefix read_prefix(const std::string& path) {
  // POSIX reads, not a stream: a stream's buffer could take more of a pipe than the prefix.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    if (fd >= 0) ::close(fd);
    throw ConversionError(Fault::cannot_open, {path});
  }
  // A download padded with NUL bytes past the prefix is read as the conversion reads it: its
  // text only, which may end within the prefix.
  const std::uint64_t text = S_ISREG(info.st_mode) ? text_length(fd) : UINT64_MAX;
  std::string bytes(std::min<std::uint64_t>(kPrefixBytes, text), '\0');
  std::size_t got = 0;
  bool ended = text <= kPrefixBytes;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      throw ConversionError(Fault::cannot_open, {path});
    }
    if (n == 0) {
      ended = true;
      break;
    }
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(got);
  // A regular file of exactly the prefix's size ends there too; a pipe cannot say so.
  if (S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) == got) ended = true;
  return Prefix::of(bytes, ended);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string_view::npos;
       at = text.find(separator, start)) {
    pieces.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

std::vector<std::string_view> blank_separated(std::string_view text) {
  std::vector<std::string_view> pieces;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i > start) pieces.push_back(text.substr(start, i - start));
  }
  return pieces;
}

bool is_number(std::string_view text) {
  try {
    return parse_number(text).has_value();
  } catch (const ConversionError&) {
    return true;  // a number, only too large for a double
  }
}

bool is_angle(std::string_view text) {
  try {
    const std::optional<double> number = parse_number(text);
    return number && *number >= 0 && *number <= 400;
  } catch (const ConversionError&) {
    return false;
  }
}

bool is_blank_line(std::string_view line) {
  return line.find_first_not_of(" \t\x1a") == std::string_view::npos;
}

bool recognised(const Tally& lines, bool needed) {
  return needed && lines.percent() >= kRecognisedPercent;
}

std::string counted(int count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string quote_line(std::size_t index, std::string_view line) {
  return "γραμμή " + std::to_string(index + 1) + ": " + quoted_text(line);
}

}  // namespace korvath
