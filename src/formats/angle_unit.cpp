#include "formats/angle_unit.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>

#include "flow/conversion.hpp"
#include "flow/number_text.hpp"
#include "flow/text.hpp"

namespace korvath {
namespace {

// The digits of a magnitude as its bare-number text shows them, in fixed notation: "87.4635",
// ".5", "12"; 1E-06 becomes ".000001", so a tiny value still splits into its DMS places.
std::string fixed_digits(double magnitude) {
  std::string text = plain_number(magnitude);
  const auto e = text.find('E');
  if (e == std::string::npos) return text;
  std::string digits = text.substr(0, e);
  digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
  const char* first = text.data() + e + 1;
  if (*first == '+') ++first;
  int exponent = 0;
  std::from_chars(first, text.data() + text.size(), exponent);
  const long point = 1L + exponent;  // d.ddd x 10^exponent: the point after this many digits
  const auto count = static_cast<long>(digits.size());
  if (point <= 0) return "." + std::string(static_cast<std::size_t>(-point), '0') + digits;
  if (point >= count) return digits + std::string(static_cast<std::size_t>(point - count), '0');
  return digits.substr(0, static_cast<std::size_t>(point)) + "." +
         digits.substr(static_cast<std::size_t>(point));
}

double read_digits(std::string_view digits) {
  double number = 0;
  if (!digits.empty()) std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return number;
}

double dms_grads(double degrees, double minutes, double seconds) {
  // This order exactly: another one can change the fifteenth digit.
  return (degrees + minutes / 60.0 + seconds / 3600.0) * 400 / 360;
}

double dms_to_grads(double value, const Value& as_read, const Where& where) {
  const std::string digits = fixed_digits(std::fabs(value));
  const auto point = digits.find('.');
  std::string places = point == std::string::npos ? std::string() : digits.substr(point + 1);
  if (places.size() < 4) places.resize(4, '0');  // 87.4 is 87 degrees 40 minutes
  const double degrees = read_digits(std::string_view(digits).substr(0, point));
  const int minutes = (places[0] - '0') * 10 + (places[1] - '0');
  std::string seconds_text = places.substr(2, 2);
  if (places.size() > 4) seconds_text += "." + places.substr(4);
  const double seconds = read_digits(seconds_text);
  const double grads = dms_in_grads(degrees, minutes, seconds, where, plain_text(as_read));
  return value < 0 ? -grads : grads;
}

std::string_view unit_name(AngleUnit unit) {
  switch (unit) {
    case AngleUnit::degrees:
      return "δεκαδικές μοίρες";
    case AngleUnit::dms:
      return "μοίρες, πρώτα, δεύτερα";
    case AngleUnit::mils:
      return "χιλιοστά (mil)";
    case AngleUnit::grads:
    case AngleUnit::unknown:
      break;
  }
  return "βαθμοί";
}

}  // namespace

AngleUnit angle_unit(std::string_view word, const UnitWords& words) {
  if (word.empty()) return AngleUnit::unknown;
  if (word == words.grads) return AngleUnit::grads;
  if (word == words.degrees) return AngleUnit::degrees;
  if (word == words.dms) return AngleUnit::dms;
  if (word == words.mils) return AngleUnit::mils;
  return AngleUnit::unknown;
}

std::optional<std::string> declared_word(std::string_view line, std::string_view key) {
  // Most lines declare nothing: their first character other than a blank or tab tells.
  const auto first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos || line[first] != key.front()) return std::nullopt;
  const std::string freed = replace_all(trim(line), "\t", "");
  if (!std::string_view(freed).starts_with(key)) return std::nullopt;
  return std::string(trim(std::string_view(freed).substr(key.size())));
}

std::string angle_unit_note(std::string_view declared, AngleUnit unit) {
  return "γωνίες σε «" + std::string(declared) + "» (" + std::string(unit_name(unit)) +
         "): μετατράπηκαν σε βαθμούς";
}

void convert_to_grads(Value& v, AngleUnit unit, const Where& where) {
  if (unit == AngleUnit::grads || unit == AngleUnit::unknown || is_empty(v)) return;
  const double value = as_number(v, where);
  switch (unit) {
    case AngleUnit::degrees:
      v = value * 400 / 360;
      return;
    case AngleUnit::dms:
      v = dms_to_grads(value, v, where);
      return;
    case AngleUnit::mils:
      v = value * 400 / 6400;
      return;
    case AngleUnit::grads:
    case AngleUnit::unknown:
      return;
  }
}

std::optional<double> dms_text_in_grads(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const auto digit = [&p, end] { return p != end && static_cast<unsigned char>(*p - '0') < 10; };
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  std::uint64_t degrees = 0, minutes = 0, seconds = 0;
  const char* const start = p;
  for (; digit(); ++p) degrees = degrees * 10 + static_cast<std::uint64_t>(*p - '0');
  int places = 0;
  const bool point = p != end && *p == '.';
  if (point) {
    for (++p; places < 2 && digit(); ++p, ++places)
      minutes = minutes * 10 + static_cast<std::uint64_t>(*p - '0');
    for (; digit(); ++p, ++places) seconds = seconds * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  const auto digits = (p - start) - (point ? 1 : 0);
  if (p != end || digits == 0 || digits > 15) return std::nullopt;
  for (int missing = places; missing < 4; ++missing) (missing < 2 ? minutes : seconds) *= 10;
  const int decimals = places > 4 ? places - 4 : 0;  // of the seconds
  const double second = short_decimal_number(seconds, decimals, false);
  if (minutes >= 60 || second >= 60) return std::nullopt;
  const double grads =
      dms_grads(static_cast<double>(degrees), static_cast<double>(minutes), second);
  return negative && grads != 0 ? -grads : grads;
}

double angle_in_grads(double value, AngleUnit unit, const Where& where) {
  Value v = value;
  convert_to_grads(v, unit, where);
  return as_number(v, where);
}

double dms_in_grads(double degrees, double minutes, double seconds, const Where& where,
                    std::string_view as_read) {
  if (minutes >= 60 || seconds >= 60)
    throw ConversionError(Fault::not_an_angle, where, std::string(as_read));
  return dms_grads(degrees, minutes, seconds);
}

void AngleUnitNotes::note(Conversion& c, AngleUnit unit, std::string_view word,
                          const Where& where) {
  c.note(where, angle_unit_note(word, unit));
}

double FeetToMetres::operator()(double feet, const Where& where) {
  if (!noted_) {
    noted_ = true;
    c_.note(where, "μήκη σε πόδια: μετατράπηκαν σε μέτρα (x 0,3048)");
  }
  return feet * 0.3048;
}

void DeclaredUnits::declare(Conversion& c, const Where& where, std::string_view word,
                            const UnitWords& words, std::uint64_t from) {
  const AngleUnit unit = angle_unit(word, words);
  const AngleUnit before = at(from);
  // A unit declared again as it stands (a header in every job) changes nothing: kept once,
  // a long download's declarations take no more memory than its changes of unit.
  if (unit != before) declared_.push_back({from, unit});
  if (unit == AngleUnit::unknown) {
    c.note(where, "άγνωστη μονάδα γωνιών «" + std::string(word) +
                      "»: οι γωνίες γράφτηκαν όπως διαβάστηκαν");
  } else if (unit != AngleUnit::grads && unit != before) {
    c.note(where, angle_unit_note(word, unit));
  }
}

AngleUnit DeclaredUnits::at(std::uint64_t scratch_line) const {
  // The last declaration in force at or before the line; a few at most, so a search is cheap.
  const auto after =
      std::upper_bound(declared_.begin(), declared_.end(), scratch_line,
                       [](std::uint64_t line, const Declared& d) { return line < d.from; });
  return after == declared_.begin() ? AngleUnit::grads : std::prev(after)->unit;
}

void declare_distance_unit(Conversion& c, const Where& where, std::string_view word,
                           std::string_view metres) {
  if (word.empty() || word == metres) return;
  c.note(where, "αποστάσεις σε «" + std::string(word) + "»: γράφτηκαν όπως διαβάστηκαν");
}

}  // namespace korvath
