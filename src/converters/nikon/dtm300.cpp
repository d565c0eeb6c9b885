// Nikon DTM-300 download (.nik): one record a line, "state , type , units , name , values",
// blanks around the commas. A type 2 record (keyed-in coordinates) sets up a station named
// "STATION-IH", a type 0 record is a shot; each record names its own length and angle units.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "converters/nikon/nikon.hpp"
#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/text.hpp"
#include "formats/angle_unit.hpp"
#include "formats/field_book.hpp"

namespace korvath::nikon {
namespace {

// A shot has eight items; a longer line is no record.
constexpr std::size_t kMostItems = 8;

struct Items {
  std::array<std::string_view, kMostItems> at;
  std::size_t count = 0;
};

// The items of a line, each trimmed of blanks and tabs; `count` goes on past kMostItems.
Items split_items(std::string_view line) {
  Items items;
  for (;;) {
    const std::size_t comma = line.find(',');
    if (items.count < kMostItems)
      items.at[items.count] = trim_blanks_and_tabs(line.substr(0, comma));
    ++items.count;
    if (comma == std::string_view::npos) return items;
    line.remove_prefix(comma + 1);
  }
}

// The third item: a length letter (M metres, F US feet, N feet) and an angle letter (D DDD.MMSS,
// G gon, M mil).
struct Units {
  bool feet = false;
  AngleUnit angle = AngleUnit::grads;
};

std::optional<Units> units_of(std::string_view letters) {
  if (letters.size() != 2) return std::nullopt;
  Units units;
  switch (letters[0]) {
    case 'M':
      break;
    case 'F':
    case 'N':
      units.feet = true;
      break;
    default:
      return std::nullopt;
  }
  switch (letters[1]) {
    case 'D':
      units.angle = AngleUnit::dms;
      break;
    case 'G':
      units.angle = AngleUnit::grads;
      break;
    case 'M':
      units.angle = AngleUnit::mils;
      break;
    default:
      return std::nullopt;
  }
  return units;
}

bool all_digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// DDD.MMSS as written, in grads: degrees before the point, two digits of minutes, then seconds
// SS.sss, missing digits 0 ("87.4" is 87 degrees 40 minutes), the sign on the whole. Read from
// the text, as the number's bare-number text would give it; none for text of another shape or
// of more than 15 digits, which is read as a number first. Throws Fault::not_an_angle, quoting
// the text without its sign, for minutes or seconds of 60 or more.
std::optional<double> checked_dms_text_in_grads(std::string_view text, const Where& where) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view places =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.size() + places.size() == 0 || whole.size() + places.size() > 15 ||
      !all_digits(whole) || !all_digits(places))
    return std::nullopt;
  std::uint64_t degrees = 0, minutes = 0, seconds = 0;
  for (const char c : whole) degrees = degrees * 10 + static_cast<std::uint64_t>(c - '0');
  for (std::size_t i = 0; i < 2; ++i)
    minutes = minutes * 10 + (i < places.size() ? static_cast<std::uint64_t>(places[i] - '0') : 0);
  std::size_t decimals = 0;
  for (std::size_t i = 2; i < std::max<std::size_t>(places.size(), 4); ++i) {
    seconds = seconds * 10 + (i < places.size() ? static_cast<std::uint64_t>(places[i] - '0') : 0);
    if (i >= 4) ++decimals;
  }
  const double grads = dms_in_grads(
      static_cast<double>(degrees), static_cast<double>(minutes),
      short_decimal_number(seconds, static_cast<std::ptrdiff_t>(decimals), false), where, text);
  return negative ? -grads : grads;
}

bool is_digit_item(std::string_view item, char last) {
  return item.size() == 1 && item[0] >= '0' && item[0] <= last;
}

class Dtm300Reader {
 public:
  explicit Dtm300Reader(Conversion& c)
      : c_(c),
        book_(c, tally_),
        to_metres_(c),
        no_record_(tally_.kind("1 γραμμή που δεν είναι εγγραφή DTM-300",
                               "{} γραμμές που δεν είναι εγγραφές DTM-300")),
        deleted_(tally_.kind("1 διαγραμμένη εγγραφή", "{} διαγραμμένες εγγραφές")),
        computed_(tally_.kind("1 εγγραφή συντεταγμένων τύπου 1 (υπολογισμένες)",
                              "{} εγγραφές συντεταγμένων τύπου 1 (υπολογισμένες)")),
        uploaded_(tally_.kind("1 εγγραφή συντεταγμένων τύπου 3 (φορτωμένες)",
                              "{} εγγραφές συντεταγμένων τύπου 3 (φορτωμένες)")) {}

  void read(std::string_view line, const Where& where) {
    if (is_blank_line(line)) return;
    const Items items = split_items(line);
    const std::optional<Units> units = items.count >= 4 ? units_of(items.at[2]) : std::nullopt;
    if (!units || !is_digit_item(items.at[0], '9') || !is_digit_item(items.at[1], '3'))
      return tally_.count(no_record_, where);
    if (items.at[0] != "1") return tally_.count(deleted_, where);
    switch (items.at[1][0]) {
      case '0':
        if (items.count < 7 || items.count > kMostItems) return tally_.count(no_record_, where);
        return shot(items, *units, where);
      case '1':
        return tally_.count(computed_, where);
      case '2':
        return set_up(items.at[3], *units, where);
      default:
        return tally_.count(uploaded_, where);
    }
  }

  void finish() { tally_.report(c_, c_.input_name()); }

 private:
  // A length in the record's unit, in metres; none when the item is empty.
  std::optional<double> length(std::string_view item, const Units& units, const Where& where) {
    if (item.empty()) return std::nullopt;
    const double value = number(item, where);
    return units.feet ? to_metres_(value, where) : value;
  }

  std::optional<double> angle(std::string_view item, const Units& units, const Where& where) {
    if (item.empty()) return std::nullopt;
    if (units.angle == AngleUnit::dms) {
      // Most readings go straight from their digits; the few left over are checked, to fault
      // as they always have.
      if (const auto grads = dms_text_in_grads(item)) return grads;
      if (const auto grads = checked_dms_text_in_grads(item, where)) return grads;
    }
    return angle_in_grads(number(item, where), units.angle, where);
  }

  static double number(std::string_view item, const Where& where) {
    double value = 0;
    if (read_short_decimal(item, value)) return value;
    if (const auto parsed = parse_number(item, where)) return *parsed;
    throw ConversionError(Fault::not_a_number, where, std::string(item));
  }

  // "STATION-IH": the height after the first "-", so that "1001--1.455" keeps its sign.
  void set_up(std::string_view name, const Units& units, const Where& where) {
    const std::size_t dash = name.find('-');
    const std::string_view height =
        dash == std::string_view::npos ? std::string_view() : trim(name.substr(dash + 1));
    book_.set_up(point_name(name.substr(0, dash)), length(height, units, where));
  }

  void shot(const Items& items, const Units& units, const Where& where) {
    if (units.angle != AngleUnit::grads) angle_notes_.seen(c_, units.angle, items.at[2], where);
    shot_.target = point_name(items.at[3]);
    shot_.slope_distance = length(items.at[4], units, where);
    shot_.reading = angle(items.at[5], units, where);
    shot_.vertical_angle = angle(items.at[6], units, where);
    shot_.target_height =
        items.count > 7 ? length(items.at[7], units, where) : std::optional<double>();
    book_.observe(shot_, where);
  }

  Conversion& c_;
  RecordTally tally_;
  FieldBook book_;
  FeetToMetres to_metres_;
  AngleUnitNotes angle_notes_;
  Shot shot_;
  std::size_t no_record_, deleted_, computed_, uploaded_;
};

}  // namespace

void convert_dtm300(Conversion& c) {
  LineReader in = c.read_input_lines();
  Dtm300Reader records(c);
  while (!in.at_end()) {
    const std::string_view line = in.read_line();
    records.read(line, in.where());
  }
  records.finish();
}

}  // namespace korvath::nikon
