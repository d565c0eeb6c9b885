#include "formats/field_book.hpp"

#include "flow/number_text.hpp"
#include "flow/text.hpp"
#include "formats/observation.hpp"

namespace korvath {

Value point_name(std::string_view raw) {
  const std::string_view name = trim(raw);
  // Kept with its text, from which the number is written as bare-number text at least cost.
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
  if (number_a && number_b && *number_a == *number_b) return true;
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
    : out_(c), tally_(tally), before_set_up_(tally.kind(kBeforeSetUp.one, kBeforeSetUp.many)) {}

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
  const Value target_height = length_value(shot.target_height), horizontal = angle_value(direction),
              vertical = angle_value(shot.vertical_angle),
              slope = length_value(shot.slope_distance);
  const Observation o{shot.target, station_, backsight_, target_height,
                      horizontal,  vertical, slope,      instrument_height_};
  const bool to_backsight = !is_empty(backsight_) && same_name(shot.target, backsight_);
  if (backsight_shot || to_backsight || is_station_target(shot.target, where)) {
    out_.stations.write(o);
  } else {
    out_.points.write(o);
  }
}

CoordinateList::CoordinateList(Conversion& c, RecordTally& tally)
    : file_(c),
      tally_(tally),
      empty_(tally.kind("1 συντεταγμένη παύλες ή χωρίς τιμή (γράφτηκε κενή)",
                        "{} συντεταγμένες παύλες ή χωρίς τιμή (γράφτηκαν κενές)")) {}

void CoordinateList::write(const Value& name, std::optional<double> first,
                           std::optional<double> second, std::optional<double> third,
                           const Where& where) {
  for (const auto& value : {first, second, third})
    if (!value) tally_.count(empty_, where);
  file_.write_point(name, length_value(first), length_value(second), length_value(third));
}

}  // namespace korvath
