// A value as the converters carry it: empty, text exactly as read, or a number.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "flow/conversion_error.hpp"

namespace korvath {

struct Empty {
  bool operator==(const Empty&) const = default;
};
using Value = std::variant<Empty, std::string, double>;

inline bool is_empty(const Value& v) {
  return std::holds_alternative<Empty>(v);
}
inline bool is_text(const Value& v) {
  return std::holds_alternative<std::string>(v);
}
inline bool is_number(const Value& v) {
  return std::holds_alternative<double>(v);
}

/// Text that a converter built or cut from a line.
inline Value text(std::string_view s) {
  return Value(std::string(s));
}

/// The value in arithmetic: empty is 0, a number itself, text must read as a number in full
/// (" 12.5 " does, "12.5x" and "" do not). Throws Fault::not_a_number at `from`.
double as_number(const Value& v, Where from);

/// The value as plain text, as it is compared with a text literal: text itself, a number in its
/// plain text (no blanks), empty as "".
std::string plain_text(const Value& v);

/// Compares the value with a text literal (a record key): exactly, case counts.
bool equals_text(const Value& v, std::string_view literal);

/// Appends the value in its output form: text unchanged, a number as bare-number text, empty as
/// nothing.
void append_value(std::string& out, const Value& v);

/// `format_fixed` and `format_integer` of a value: text that reads as a number in full is that
/// number, other text comes back unchanged, empty gives empty text.
std::string format_fixed(const Value& v, int decimals);
std::string format_integer(const Value& v);

}  // namespace korvath
