#include "formats/field_book.hpp"

#include "flow/number_text.hpp"
#include "flow/text.hpp"
#include "formats/observation.hpp"

namespace korvath {

namespace {

struct FixedField {
  std::optional<double> value;
  int decimals = 0;
};

// Appends "," and each value in its fixed pattern, nothing for none. The room for all of them is
// made once and each is written where it stands; a value the quick writer leaves is appended.
template <std::size_t kCount>
void append_fixed_fields(std::string& line, const FixedField (&fields)[kCount]) {
  constexpr std::size_t kRoom = kCount * (1 + kLongestQuickFixed);
  std::size_t at = line.size();
  line.resize(at + kRoom);
  for (const FixedField& field : fields) {
    line[at++] = ',';
    if (!field.value) continue;
    if (const char* const end = write_fixed(line.data() + at, *field.value, field.decimals)) {
      at = static_cast<std::size_t>(end - line.data());
    } else {  // 1E+09 and up: the long way, then the room again
      line.resize(at);
      append_fixed(line, *field.value, field.decimals);
      at = line.size();
      line.resize(at + kRoom);
    }
  }
  line.resize(at);
}

}  // namespace

Value point_name(std::string_view raw) {
  const std::string_view name = trim(raw);
  // Kept with its text, from which the number is written as bare-number text at least cost.
  // Most names are short decimals, read in one pass; parse_number reads the others.
  if (double number = 0; read_short_decimal(name, number)) return ReadNumber(number, name);
  if (const auto number = parse_number(name)) return ReadNumber(*number, name);
  return text(name);
}

Value length_value(std::optional<double> metres) {
  return metres ? text(format_fixed(*metres, 4)) : text("");
}

Value angle_value(std::optional<double> grads) {
  return grads ? text(format_fixed(*grads, 5)) : text("");
}

bool same_name(const Value& a, const Value& b) {
  const std::string* text_a = std::get_if<std::string>(&a);
  const std::string* text_b = std::get_if<std::string>(&b);
  if (text_a && text_b) return *text_a == *text_b;
  const auto number_a = number_in(a), number_b = number_in(b);
  if (number_a && number_b) {
    if (*number_a == *number_b) return true;
    // Two short decimals of other numbers: each number's 15 digits give back its own text.
    const ReadNumber* read_a = std::get_if<ReadNumber>(&a);
    const ReadNumber* read_b = std::get_if<ReadNumber>(&b);
    if (read_a && read_b && read_a->length > 0 && read_b->length > 0) return false;
    // Computed numbers may still round to the same digits: their texts, made without a string.
    char text_of_a[kLongestBareNumber], text_of_b[kLongestBareNumber];
    const char* const end_a = write_number(text_of_a, a);
    const char* const end_b = write_number(text_of_b, b);
    return std::string_view(text_of_a, static_cast<std::size_t>(end_a - text_of_a)) ==
           std::string_view(text_of_b, static_cast<std::size_t>(end_b - text_of_b));
  }
  const auto numeric_start = [](const std::string* text) {
    return !text->empty() && (text->front() == '-' || text->front() == '.' ||
                              (text->front() >= '0' && text->front() <= '9'));
  };
  if ((text_a && number_b && !numeric_start(text_a)) ||
      (text_b && number_a && !numeric_start(text_b)))
    return false;
  return plain_text(a) == plain_text(b);
}

FieldBook::FieldBook(Conversion& c, RecordTally& tally)
    : stations_(c.output(0)),
      points_(c.output(1)),
      tally_(tally),
      before_set_up_(tally.kind(kBeforeSetUp.one, kBeforeSetUp.many)) {}

void FieldBook::set_instrument_height(std::optional<double> metres) {
  instrument_height_.clear();
  if (metres) append_fixed(instrument_height_, *metres, 4);
}

void FieldBook::set_up(Value station, std::optional<double> instrument_height) {
  station_ = std::move(station);
  set_instrument_height(instrument_height);
  backsight_ = text("");
  orientation_ = 0;
  awaiting_backsight_ = true;
  any_set_up_ = true;
}

void FieldBook::name_backsight(Value name, double reading) {
  backsight_ = std::move(name);
  orientation_ = reading;
  awaiting_backsight_ = false;
}

void FieldBook::observe(const Shot& shot, const Where& where) {
  if (!any_set_up_) tally_.count(before_set_up_, where);
  const bool backsight_shot = awaiting_backsight_;
  if (awaiting_backsight_) {
    backsight_ = shot.target;
    orientation_ = shot.reading.value_or(0);
    awaiting_backsight_ = false;
  }
  std::optional<double> direction;
  if (shot.reading) direction = reduce_to_backsight(*shot.reading, orientation_, where);
  const bool to_backsight = !is_empty(backsight_) && same_name(shot.target, backsight_);
  OutputFile& file =
      backsight_shot || to_backsight || is_station_target(shot.target, where) ? stations_ : points_;
  // The eight values of a measurement line, as the measurement files (.txm) join them.
  file.write_line_with([&](std::string& line) {
    append_joined(line, shot.target, station_, backsight_);
    append_fixed_fields(line, {{shot.target_height, 4},
                               {direction, 5},
                               {shot.vertical_angle, 5},
                               {shot.slope_distance, 4}});
    line.push_back(',');
    line.append(instrument_height_);
  });
}

CoordinateList::CoordinateList(Conversion& c, RecordTally& tally)
    : file_(c.output(0)),
      tally_(tally),
      empty_(tally.kind("1 συντεταγμένη παύλες ή χωρίς τιμή (γράφτηκε κενή)",
                        "{} συντεταγμένες παύλες ή χωρίς τιμή (γράφτηκαν κενές)")) {}

void CoordinateList::write(const Value& name, std::optional<double> first,
                           std::optional<double> second, std::optional<double> third,
                           const Where& where) {
  for (const auto& value : {first, second, third})
    if (!value) tally_.count(empty_, where);
  // The name and three values of a coordinate line (.seq), joined by ",".
  file_.write_line_with([&](std::string& line) {
    append_value(line, name);
    append_fixed_fields(line, {{first, 4}, {second, 4}, {third, 4}});
  });
}

}  // namespace korvath
