#include "flow/value.hpp"

#include "flow/number_text.hpp"
#include "flow/text.hpp"

namespace korvath {

double text_as_number(const Value& v, const Where& from) {
  if (is_empty(v)) return 0.0;
  const std::string& s = std::get<std::string>(v);
  if (const auto number = parse_number(s, from)) return *number;
  throw ConversionError(Fault::not_a_number, from, s);
}

std::string plain_text(const Value& v) {
  if (const auto number = number_in(v)) return plain_number(*number);
  if (const std::string* s = std::get_if<std::string>(&v)) return *s;
  return {};
}

double read_number_of(const Value& v, const Where& where) {
  if (const ReadNumber* read = std::get_if<ReadNumber>(&v); read && read->length > 0)
    return read->value();
  return read_number(plain_text(v), where);
}

bool number_equals_text(const Value& v, std::string_view literal) {
  return plain_text(v) == literal;
}

namespace {
template <typename Format>
std::string format_value(const Value& v, Format format) {
  if (const auto number = number_in(v)) return format(*number);
  if (const std::string* s = std::get_if<std::string>(&v)) {
    if (const auto number = parse_number(*s)) return format(*number);
    return *s;
  }
  return {};
}
}  // namespace

std::string format_fixed(const Value& v, int decimals) {
  return format_value(v, [decimals](double x) { return format_fixed(x, decimals); });
}

std::string format_integer(const Value& v) {
  return format_value(v, [](double x) { return format_integer(x); });
}

}  // namespace korvath
