#include "formats/field_book.hpp"

#include "flow/number_text.hpp"
#include "flow/text.hpp"
#include "formats/observation.hpp"

namespace korvath {

Value point_name(std::string_view raw) {
  const std::string_view name = trim(raw);
  if (const auto number = parse_number(name)) return *number;
  return text(name);
}

Value length_value(std::optional<double> metres) {
  return metres ? text(format_fixed(*metres, 4)) : text("");
}

Value angle_value(std::optional<double> grads) {
  return grads ? text(format_fixed(*grads, 5)) : text("");
}

FieldBook::FieldBook(Conversion& c, RecordTally& tally)
    : out_(c), tally_(tally), before_set_up_(tally.kind(kBeforeSetUp.one, kBeforeSetUp.many)) {}

void FieldBook::set_up(Value station, std::optional<double> instrument_height) {
  station_ = std::move(station);
  instrument_height_ = instrument_height;
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
              slope = length_value(shot.slope_distance),
              instrument = length_value(instrument_height_);
  const Observation o{shot.target, station_, backsight_, target_height,
                      horizontal,  vertical, slope,      instrument};
  const bool to_backsight =
      !is_empty(backsight_) && plain_text(shot.target) == plain_text(backsight_);
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
