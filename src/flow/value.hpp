// A value as the converters carry it: empty, text exactly as read, or a number (computed, or read
// from a file with its text).
#pragma once

#include <algorithm>
#include <concepts>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "flow/conversion_error.hpp"
#include "flow/number_text.hpp"
#include "flow/text.hpp"

namespace korvath {

struct Empty {
  bool operator==(const Empty&) const = default;
};

/// A number read from a file, with its text as read when that is a short decimal (see
/// read_short_decimal): most values are only passed through, and writing them from their text
/// costs a scan where reprinting the number costs its digits. The number of a short decimal is
/// worked out from its digits only when it is asked for: a division a number read would cost
/// more than the rest of its reading.
struct ReadNumber {
  static constexpr std::size_t kLongestText = kLongestShortDecimal;
  static constexpr std::uint8_t kNoPoint = kLongestShortDecimal;

  double number = 0;                  // the number when no text is kept
  std::uint64_t mantissa = 0;         // else the digits of the text, without sign and point
  std::uint8_t length = 0;            // 0: no text kept (an exponent, more digits)
  std::uint8_t point = kNoPoint;      // where the point stands in the text
  char text[kShortDecimalRoom] = {};  // the text, then room for copies of a fixed size

  ReadNumber() = default;
  /// `short_decimal`: the text of the number if read_short_decimal reads it in full, else empty.
  ReadNumber(double read, std::string_view short_decimal) : number(read) {
    const char* at = nullptr;
    if (!short_decimal.empty() && short_decimal.size() <= kLongestText &&
        read_short_decimal_digits(short_decimal.data(), short_decimal.data() + short_decimal.size(),
                                  mantissa, at)) {
      length = static_cast<std::uint8_t>(short_decimal.size());
      std::copy(short_decimal.begin(), short_decimal.end(), text);
      if (at) point = static_cast<std::uint8_t>(at - short_decimal.data());
    }
  }
  double value() const {
    if (length == 0) return number;
    const std::ptrdiff_t decimals = point == kNoPoint ? 0 : length - point - 1;
    return short_decimal_number(mantissa, decimals, text[0] == '-');
  }
  /// Whether the number is 0 (or -0), from its digits where it has them: no division.
  bool is_zero() const { return length > 0 ? mantissa == 0 : number == 0; }
  std::string_view as_read() const { return {text, length}; }
  bool operator==(const ReadNumber& other) const {
    return value() == other.value() && as_read() == other.as_read();
  }
};

using Value = std::variant<Empty, std::string, double, ReadNumber>;

/// Makes `into` hold the short decimal of the `length` characters at `first` (its digits
/// `mantissa`, its point at `point` or null), when ReadNumber::kLongestText characters can be
/// read at `first` whatever `length` is: one copy of a known size. Written field by field into
/// the value itself: a number built aside and copied in is read back before its bytes have
/// settled, which stalls the processor at every item.
inline void assign_short_decimal(Value& into, std::uint64_t mantissa, const char* first,
                                 std::size_t length, const char* point) {
  ReadNumber* n = std::get_if<ReadNumber>(&into);
  if (!n) n = &into.emplace<ReadNumber>();
  n->mantissa = mantissa;
  n->length = static_cast<std::uint8_t>(length);
  n->point = point ? static_cast<std::uint8_t>(point - first) : ReadNumber::kNoPoint;
  std::memcpy(n->text, first, ReadNumber::kLongestText);
}

/// Makes `into` hold the text, in the string it already holds if it holds one: a row read item
/// by item into the same values keeps their strings.
inline void assign_text(Value& into, std::string_view text) {
  if (std::string* held = std::get_if<std::string>(&into)) {
    held->assign(text);
  } else {
    into.emplace<std::string>(text);
  }
}

inline bool is_empty(const Value& v) {
  return std::holds_alternative<Empty>(v);
}
inline bool is_text(const Value& v) {
  return std::holds_alternative<std::string>(v);
}
/// The number a value holds, computed or read; none for empty and text.
inline std::optional<double> number_in(const Value& v) {
  if (const double* number = std::get_if<double>(&v)) return *number;
  if (const ReadNumber* read = std::get_if<ReadNumber>(&v)) return read->value();
  return std::nullopt;
}
inline bool is_number(const Value& v) {
  return std::holds_alternative<double>(v) || std::holds_alternative<ReadNumber>(v);
}

/// The text a value holds, as it is held; empty for a number or an empty value.
inline std::string_view text_in(const Value& v) {
  const std::string* s = std::get_if<std::string>(&v);
  return s ? std::string_view(*s) : std::string_view();
}

/// Text that a converter built or cut from a line.
inline Value text(std::string_view s) {
  return Value(std::string(s));
}

/// as_number of a value that holds no number: empty or text.
double text_as_number(const Value& v, const Where& from);
/// The value in arithmetic: empty is 0, a number itself, text must read as a number in full
/// (" 12.5 " does, "12.5x" and "" do not). Throws Fault::not_a_number at `from`. Inline for a
/// number, which most values in arithmetic are.
inline double as_number(const Value& v, const Where& from) {
  if (const auto number = number_in(v)) return *number;
  return text_as_number(v, from);
}

/// The value as plain text, as it is compared with a text literal: text itself, a number in its
/// plain text (no blanks), empty as "".
std::string plain_text(const Value& v);

/// `read_number` of the value's plain text: the leading number of a text, a number as its
/// plain text reads back, 0 for empty. A number read as a short decimal is its own number (its
/// fifteen digits read back exactly), with no text written and read again.
double read_number_of(const Value& v, const Where& where);

/// equals_text of a number or an empty value: by its plain text.
bool number_equals_text(const Value& v, std::string_view literal);
/// Compares the value with a text literal (a record key): exactly, case counts. Inline for text,
/// so that a record key compares as the few bytes it is, and for a number against a literal its
/// plain text cannot be: that text begins with a digit, "-" or "." and is never empty, and a
/// record key or a filler such as "NOTAV" never does, so most comparisons need no formatting.
inline bool equals_text(const Value& v, std::string_view literal) {
  if (const std::string* s = std::get_if<std::string>(&v)) return *s == literal;
  if (is_number(v) && (literal.empty() || !((literal[0] >= '0' && literal[0] <= '9') ||
                                            literal[0] == '-' || literal[0] == '.')))
    return false;
  return number_equals_text(v, literal);
}

/// Writes a number in its output form, bare-number text (a number read from a file made from its
/// text when that gives the same bytes), at `out`, which has room for kLongestBareNumber bytes;
/// returns the end. Inline: nearly every value of every output line is written through it.
inline char* write_number(char* out, const Value& v) {
  if (const ReadNumber* read = std::get_if<ReadNumber>(&v)) {
    char* end =
        read->length > 0 ? write_bare_decimal(out, read->text, read->length, read->point) : nullptr;
    return end ? end : write_bare_number(out, read->value());
  }
  return write_bare_number(out, std::get<double>(v));
}

/// The most bytes the value's output form takes (a line is made this long before it is written
/// into, and every byte of it cleared: a number read as a short decimal asks for less).
inline std::size_t longest_output(const Value& v) {
  if (const std::string* s = std::get_if<std::string>(&v)) return s->size();
  if (const ReadNumber* read = std::get_if<ReadNumber>(&v); read && read->length > 0)
    return kLongestBareDecimal;
  return is_empty(v) ? 0 : kLongestBareNumber;
}

/// Writes the value in its output form at `out`, which has room for longest_output(v) bytes:
/// text unchanged, a number as bare-number text, empty as nothing. Returns the end.
inline char* write_output(char* out, const Value& v) {
  if (const std::string* s = std::get_if<std::string>(&v))
    return std::copy(s->begin(), s->end(), out);
  return is_empty(v) ? out : write_number(out, v);
}

/// Appends the values in their output form, separated by commas. The line is made long enough
/// once and the values written into it, not appended one by one. The values are a pack, not a
/// list of their addresses: such a list is copied, in wide loads, from the record that names
/// them right after it was written, and waits for those writes to settle.
template <std::same_as<Value>... Values>
requires(sizeof...(Values) > 0) void append_joined(std::string& out, const Values&... values) {
  const std::size_t start = out.size();
  out.resize(start + sizeof...(values) + (longest_output(values) + ...));
  char* p = out.data() + start;
  ((p = write_output(p, values), *p++ = ','), ...);  // the last comma is dropped
  out.resize(static_cast<std::size_t>(p - 1 - out.data()));
}

/// Appends the value in its output form: text unchanged, a number as bare-number text, empty as
/// nothing.
inline void append_value(std::string& out, const Value& v) {
  append_joined(out, v);
}

/// `format_fixed` and `format_integer` of a value: text that reads as a number in full is that
/// number, other text comes back unchanged, empty gives empty text.
std::string format_fixed(const Value& v, int decimals);
std::string format_integer(const Value& v);

}  // namespace korvath
