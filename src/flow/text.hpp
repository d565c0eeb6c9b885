// The text rules every converter cuts its values with. Text is bytes: nothing is re-encoded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "flow/conversion_error.hpp"

namespace korvath {

/// The `length` characters of `line` from the 1-based position `start`; a start past the end
/// gives empty text, a field that runs past the end is cut there. Without a length the field
/// runs to the end of the line. Throws Fault::bad_field for a start below 1 or a negative length.
/// Inline: the first pass of many commands cuts every line into fields.
[[noreturn]] void throw_bad_field(const Where& where, std::string detail);
inline std::string_view field(std::string_view line, long start, long length,
                              const Where& where = {}) {
  if (start < 1 || length < 0)
    throw_bad_field(where, std::to_string(start) + "," + std::to_string(length));
  const auto first = static_cast<std::size_t>(start - 1);
  if (first >= line.size()) return {};
  return line.substr(first, static_cast<std::size_t>(length));
}
inline std::string_view field(std::string_view line, long start, const Where& where = {}) {
  if (start < 1) throw_bad_field(where, std::to_string(start));
  const auto first = static_cast<std::size_t>(start - 1);
  return first >= line.size() ? std::string_view() : line.substr(first);
}

/// The UTF-8 byte order mark a text editor may put before a download it saves: not part of the
/// first line, and passed over wherever a file is read from its start.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

/// The DOS end-of-file mark (Ctrl-Z) that a transfer program may put after a download.
inline constexpr char kEndOfFileMark = '\x1a';
/// The NUL bytes that fill out a download to a whole block (a memory card, a serial capture) or
/// that a file system leaves at the end of a file cut short by a crash; read as a mark too.
inline constexpr char kNulPadding = '\0';
/// Where the end-of-file mark after a download's text begins, in `bytes`, the last bytes of the
/// file: the first mark (Ctrl-Z or NUL) of the run of marks and line ends that ends them (the
/// line end before the mark stays with the text). None when that run holds no mark, so a mark
/// with anything but line ends after it is left alone. `whole_run`: the run fills `bytes`, and
/// may begin before them.
struct EndOfFileMark {
  std::size_t at = std::string_view::npos;
  bool whole_run = false;
};
EndOfFileMark find_end_of_file_mark(std::string_view bytes);

/// Removes leading and trailing blanks (space characters only; tabs stay).
inline std::string_view trim(std::string_view text) {
  std::size_t first = 0, last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return text.substr(first, last - first);
}

/// Removes leading and trailing blanks and tabs.
inline std::string_view trim_blanks_and_tabs(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t first = 0, last = text.size();
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

/// Every occurrence of `from`, left to right, replaced by `to`; the replacement is not rescanned.
std::string replace_all(std::string_view text, std::string_view from, std::string_view to);

/// The leading number of the text: blanks, tabs and line feeds anywhere are ignored, then an
/// optional sign, digits with at most one ".", an optional exponent (E or D, either case,
/// optional sign, digits). Reading stops at the first character that does not fit; no leading
/// number gives 0. Throws Fault::number_too_large for a number beyond a double (1E999).
double read_number(std::string_view text, const Where& where = {});

/// The number the whole text reads as when it is "[sign]digits[.digits]" of at most 15 digits
/// (exactly, as parse_number reads it): most values an instrument writes, read in one pass.
/// False for any other text, blanks around it included; parse_number reads those.
bool read_short_decimal(std::string_view number, double& value);
/// The number of a short decimal's digits: `mantissa` (at most 15 digits) over 10^decimals,
/// negated with a "-" before them. Clinger's fast path: an exact integer over an exact power of
/// ten, rounded correctly by one division, as from_chars rounds it.
inline double short_decimal_number(std::uint64_t mantissa, std::ptrdiff_t decimals, bool negative) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const double value = static_cast<double>(static_cast<std::int64_t>(mantissa)) / kPowers[decimals];
  return negative ? -value : value;
}

/// The digits of the short decimal at the start of [first, last), as `mantissa`: returns where
/// the number stops (`last` or the first character that is neither a digit nor the first
/// point), null when it has no digit or more than 15. `point` is set to where the point stands
/// (null without one). Its number is short_decimal_number of the mantissa, the digits after the
/// point and a "-" at `first`: it is left to the caller, as most numbers read are only passed on.
/// Inline: it reads nearly every value of every file. With kEndMarked the byte at `last` is known
/// to be no digit, point or sign, and ends the reading without a test of where it stands.
template <bool kEndMarked = false>
inline const char* read_short_decimal_digits(const char* first, const char* last,
                                             std::uint64_t& mantissa, const char*& point) {
  const char* p = first;
  if ((kEndMarked || p != last) && (*p == '-' || *p == '+')) ++p;
  // More than 19 digits wrap the mantissa around; they are refused below, before it is used.
  // (Plain locals: a lambda's captures would be reloaded after every character read.)
  std::uint64_t digits_read = 0;
  const char* const integer = p;
  for (unsigned digit = 0;
       (kEndMarked || p != last) && (digit = static_cast<unsigned char>(*p - '0')) < 10; ++p)
    digits_read = digits_read * 10 + digit;
  std::ptrdiff_t digits = p - integer;
  point = nullptr;
  if ((kEndMarked || p != last) && *p == '.') {
    point = p;
    const char* const fraction = ++p;
    for (unsigned digit = 0;
         (kEndMarked || p != last) && (digit = static_cast<unsigned char>(*p - '0')) < 10; ++p)
      digits_read = digits_read * 10 + digit;
    digits += p - fraction;
  }
  if (digits == 0 || digits > 15) return nullptr;
  mantissa = digits_read;
  return p;
}

/// The same with its number, `value`.
inline const char* read_short_decimal(const char* first, const char* last, double& value) {
  std::uint64_t mantissa = 0;
  const char* point = nullptr;
  const char* const end = read_short_decimal_digits(first, last, mantissa, point);
  if (end) value = short_decimal_number(mantissa, point ? end - point - 1 : 0, *first == '-');
  return end;
}

/// The number the whole text reads as: less blanks and tabs around it, a sign, digits with at
/// most one point (at least one digit) and an optional exponent, and nothing else ("1 2" and
/// "12x" are text). Empty for anything else. Throws Fault::number_too_large like read_number.
std::optional<double> parse_number(std::string_view text, const Where& where = {});

}  // namespace korvath
