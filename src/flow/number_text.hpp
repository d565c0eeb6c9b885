// How numbers are written: the bare-number text and the fixed patterns. All three work on the
// value's 15-significant-digit decimal form, so what is written never shows binary noise.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace korvath {

/// The number alone, without the blanks of bare-number text: 15 significant digits, trailing
/// zeros and point dropped, no 0 before the point below 1 (".5", "-.5"). Fixed notation for
/// 1e-5 <= |x| < 1e15 (decided on the rounded value), otherwise 1E-06 or 1.5E+15. Zero is "0".
std::string plain_number(double value);

/// All of these throw Fault::number_too_large for an infinite or undefined value.

/// Bare-number text: a blank (or "-" for a negative number), the plain number, a blank.
std::string bare_number(double value);
void append_bare_number(std::string& out, double value);
/// Room enough for bare-number text (" -d.ddddddddddddddE-308 ", 25 bytes).
inline constexpr std::size_t kLongestBareNumber = 32;
/// Writes bare-number text at `out`, which has room for kLongestBareNumber bytes (the first 17
/// may be written to, whatever the length of the text); returns the end of the text.
char* write_bare_number(char* out, double value);

/// The longest text read_short_decimal reads: a sign, 15 digits and a point.
inline constexpr std::size_t kLongestShortDecimal = 17;
/// The most bytes the bare-number text of a short decimal takes: its sign or a blank, its 15
/// digits and point, a blank; a number below 1E-05 written with an exponent takes fewer.
inline constexpr std::size_t kLongestBareDecimal = kLongestShortDecimal + 1;
/// The room a short decimal's text is kept in: sixteen bytes can be copied from any of its first
/// six characters, so a number is written in one copy of a fixed size.
inline constexpr std::size_t kShortDecimalRoom = 22;
/// Writes the bare-number text of a short decimal made from its text ("1.500" gives " 1.5 ",
/// "-0.0" gives " 0 "), the bytes bare_number writes for its number, like write_bare_number.
/// The text is the first `length` characters of `text`, which read_short_decimal reads in full
/// ("[sign]digits[.digits]", at most 15 digits), its point at `point` (`length` or more: none).
/// Null, with nothing written, below 1E-05, which is written with an exponent: write the number
/// instead. Writes at most kLongestBareDecimal bytes, as long as the bare-number text of any
/// short decimal can be.
/// Inline: it writes nearly every value of every output line.
inline char* write_bare_decimal(char* out, const char (&text)[kShortDecimalRoom],
                                std::size_t length, std::size_t point) {
  // At most 15 digits: never 1E+15 or more, never more digits than the number rule keeps.
  const char* first = text;
  const char* last = text + length;
  const char sign = *first == '-' ? '-' : ' ';
  if (*first == '-' || *first == '+') ++first;
  while (first != last && *first == '0') ++first;
  if (point < length) {  // a point: its trailing zeros go, then the point if it is last
    const char* const after_point = text + point + 1;
    while (last != after_point && last[-1] == '0') --last;
    if (last == after_point) --last;
  }
  if (first == last) {
    constexpr std::string_view kZero = " 0 ";  // "-0.0" too: zero has no sign
    return std::copy(kZero.begin(), kZero.end(), out);
  }
  if (*first == '.') {
    const char* digit = first + 1;
    while (digit != last && *digit == '0') ++digit;
    if (digit - first > 5) return nullptr;  // below 1E-05
  }
  // What is written is one stretch of the text, from the first significant digit of the whole
  // part (or the point) to the last significant digit, between the sign and a blank. Written
  // straight to `out`, in stores only: a number built aside and copied over is read back before
  // its bytes have settled, which stalls the processor at every value.
  const auto stretch = static_cast<std::size_t>(last - first);
  *out = sign;
  if (first - text <= static_cast<std::ptrdiff_t>(kShortDecimalRoom - 16)) {
    std::memcpy(out + 1, first, 16);  // at most 16: a text of 17 begins with its sign
  } else {
    std::memcpy(out + 1, first, stretch);  // many leading zeros: rare
  }
  out[stretch + 1] = ' ';
  return out + stretch + 2;
}

/// The value rounded to `decimals` places, halves away from zero, at least one digit before the
/// point and the decimals padded with zeros (patterns "0.000", "0.0000", "0.00000"). A value
/// that rounds to zero has no "-".
std::string format_fixed(double value, int decimals);
/// format_fixed appended to `out`: an output line takes the value where it is being made.
void append_fixed(std::string& out, double value, int decimals);
/// Room enough for a fixed pattern write_fixed writes ("-1000000000.000000000", 21 bytes).
inline constexpr std::size_t kLongestQuickFixed = 24;
/// Writes format_fixed of the value at `out`, which has room for kLongestQuickFixed bytes, and
/// returns the end; null, with nothing written, for a value only append_fixed writes (from
/// 1E+09 up, more than nine decimals, a few next to a half-way point).
char* write_fixed(char* out, double value, int decimals);

/// The pattern "########": rounded to a whole number, halves away from zero, no leading zeros;
/// a value that rounds to zero gives empty text.
std::string format_integer(double value);

}  // namespace korvath
