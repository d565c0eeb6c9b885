// How numbers are written: the bare-number text and the fixed patterns. All three work on the
// value's 15-significant-digit decimal form, so what is written never shows binary noise.
#pragma once

#include <cstddef>
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
char* write_bare_decimal(char* out, const char (&text)[kShortDecimalRoom], std::size_t length,
                         std::size_t point);

/// The value rounded to `decimals` places, halves away from zero, at least one digit before the
/// point and the decimals padded with zeros (patterns "0.000", "0.0000", "0.00000"). A value
/// that rounds to zero has no "-".
std::string format_fixed(double value, int decimals);

/// The pattern "########": rounded to a whole number, halves away from zero, no leading zeros;
/// a value that rounds to zero gives empty text.
std::string format_integer(double value);

}  // namespace korvath
