#include "flow/text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

namespace korvath {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool is_exponent_mark(char c) {
  return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// Converts "[-]digits[.digits][E[sign]digits]" (already checked) to a double.
double to_double(std::string_view number, const Where& where) {
  if (double value = 0; read_short_decimal(number, value)) return value;
  // from_chars reads "E" and "e" but not "D": only numbers with a "D" exponent are copied.
  std::string copy;
  std::string_view buffer = number;
  if (std::any_of(number.begin(), number.end(), [](char c) { return c == 'D' || c == 'd'; })) {
    copy.assign(number);
    for (char& c : copy)
      if (c == 'D' || c == 'd') c = 'E';
    buffer = copy;
  }
  const char* first = buffer.data();
  if (*first == '+') ++first;
  double value = 0;
  const auto [end, error] = std::from_chars(first, buffer.data() + buffer.size(), value);
  if (error == std::errc::result_out_of_range) {
    // from_chars reports underflow the same way; a tiny number is zero, not an error.
    if (buffer.find_first_of("123456789") != std::string_view::npos &&
        buffer.find("E-") == std::string_view::npos && buffer.find("e-") == std::string_view::npos)
      throw ConversionError(Fault::number_too_large, where, std::string(number));
    return 0.0;
  }
  if (error != std::errc() || end != buffer.data() + buffer.size() || !std::isfinite(value))
    throw ConversionError(Fault::number_too_large, where, std::string(number));
  return value;
}

// Length of the number at the start of `s` (sign, digits with one point, exponent), 0 if none.
std::size_t scan_number(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false, point = false;
  for (; i < s.size(); ++i) {
    if (is_digit(s[i])) {
      digits = true;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return 0;
  std::size_t end = i;
  if (i < s.size() && is_exponent_mark(s[i])) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    std::size_t k = j;
    while (k < s.size() && is_digit(s[k])) ++k;
    if (k > j) end = k;
  }
  return end;
}

// string_view::find calls memcmp at every candidate; a pattern such as a run of blanks has a
// candidate at every blank, and most of them fail at the second or third character.
std::size_t find_text(std::string_view text, std::string_view pattern, std::size_t from) {
  if (pattern.size() == 1) return text.find(pattern[0], from);  // memchr, the quickest
  if (pattern.size() > text.size()) return std::string_view::npos;
  const std::size_t last = text.size() - pattern.size();
  for (std::size_t i = from; i <= last; ++i) {
    std::size_t k = 0;
    while (k < pattern.size() && text[i + k] == pattern[k]) ++k;
    if (k == pattern.size()) return i;
  }
  return std::string_view::npos;
}

}  // namespace

bool read_short_decimal(std::string_view number, double& value) {
  const char* const last = number.data() + number.size();
  return read_short_decimal(number.data(), last, value) == last;
}

void throw_bad_field(const Where& where, std::string detail) {
  throw ConversionError(Fault::bad_field, where, std::move(detail));
}

std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  if (from.size() == 1 && to.size() == 1) {  // ":" by ",": one byte for another, in one scan
    std::string result(text);
    std::replace(result.begin(), result.end(), from[0], to[0]);
    return result;
  }
  std::string result;
  result.reserve(text.size());
  std::size_t at = 0;
  for (auto hit = find_text(text, from, 0); hit != std::string_view::npos;
       hit = find_text(text, from, at)) {
    result.append(text.substr(at, hit - at)).append(to);
    at = hit + from.size();
  }
  result.append(text.substr(at));
  return result;
}

double read_number(std::string_view text, const Where& where) {
  // Blanks, tabs and line feeds inside the number are ignored ("1 234" reads as 1234).
  std::string packed;
  std::string_view number = text;
  if (std::any_of(text.begin(), text.end(), [](char c) { return is_blank(c) || c == '\n'; })) {
    packed.reserve(text.size());
    for (char c : text)
      if (c != ' ' && c != '\t' && c != '\n') packed.push_back(c);
    number = packed;
  }
  const std::size_t length = scan_number(number);
  if (length == 0) return 0.0;
  return to_double(number.substr(0, length), where);
}

std::optional<double> parse_number(std::string_view text, const Where& where) {
  const std::string_view number = trim_blanks_and_tabs(text);
  if (number.empty()) return std::nullopt;
  if (double value = 0; read_short_decimal(number, value)) return value;
  const std::size_t length = scan_number(number);
  if (length == 0 || length != number.size()) return std::nullopt;
  // An exponent mark without digits is not part of the scanned number, so it fails above.
  return to_double(number, where);
}

EndOfFileMark find_end_of_file_mark(std::string_view bytes) {
  EndOfFileMark mark;
  for (std::size_t i = bytes.size(); i-- > 0;) {
    if (bytes[i] == kEndOfFileMark || bytes[i] == kNulPadding) {
      mark.at = i;
    } else if (bytes[i] != '\r' && bytes[i] != '\n') {
      return mark;
    }
  }
  mark.whole_run = true;
  return mark;
}

}  // namespace korvath
