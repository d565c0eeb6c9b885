// Scratch records back to observations. The records are read by position: every letter is
// followed by as many items as its layout says, and nothing checks that they belong together.
#include "converters/leica/measurement_records.hpp"

#include <cstdint>
#include <string>
#include <vector>

#include "flow/conversion.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"
#include "flow/report.hpp"
#include "formats/measurement_files.hpp"

namespace korvath::leica {
namespace {

struct Setup {
  Value station, instrument_height, backsight;
  double backsight_direction = 0;
};

class RecordReader {
 public:
  RecordReader(ItemReader& rows, const RecordLayout& layout) : rows_(rows), layout_(layout) {}

  // The next `count` items of a set-up or an observation record. The values the record is
  // written from are kept; the others are read past, their faults raised all the same.
  void read_values(std::size_t count, bool setup) {
    values_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      const bool used = setup ? i == layout_.instrument_height
                              : i == layout_.reading || i == layout_.vertical_angle ||
                                    i == layout_.slope_distance || i == layout_.target_height;
      if (!used) {
        rows_.skip_field();
        continue;
      }
      rows_.read_field(values_[i]);
      if (i == layout_.reading) reading_where_ = rows_.where();
      if (i == layout_.vertical_angle) vertical_where_ = rows_.where();
    }
  }
  // The observed angles of the values just read, from `unit` to grads.
  void angles_to_grads(AngleUnit unit) {
    if (unit == AngleUnit::grads) return;
    if (layout_.reading < values_.size())
      convert_to_grads(values_[layout_.reading], unit, reading_where_);
    if (layout_.vertical_angle < values_.size())
      convert_to_grads(values_[layout_.vertical_angle], unit, vertical_where_);
  }
  const Value& value(std::size_t i) const { return values_[i]; }
  double reading() const { return as_number(values_[layout_.reading], reading_where_); }
  const Where& reading_where() const { return reading_where_; }

 private:
  ItemReader& rows_;
  const RecordLayout& layout_;
  std::vector<Value> values_;
  Where reading_where_, vertical_where_;
};

}  // namespace

void records_to_observations(Conversion& c, ItemReader& rows, const RecordLayout& layout,
                             RecordTally& tally, const DeclaredUnits& units) {
  MeasurementOutputs out(c);
  RecordReader record(rows, layout);
  Setup setup;
  SetupTally setups(tally);
  std::uint64_t records = 0, last_setup = 0;
  Value letter, target;  // read into again and again: no new values a record
  while (!rows.at_end()) {
    // The letters are written by the first pass and every blank is gone by then (or, in the
    // IDX file, no item can start with a quote), so the letter needs no trimming.
    rows.read_item(letter);
    const Where at = rows.where();
    const std::uint64_t own_line = rows.own_line();
    if (is_empty(letter) && rows.line_ended()) continue;  // a blank line is no record
    ++records;
    const bool marked = layout.backsight_values > 0 && equals_text(letter, "B");
    if (equals_text(letter, "S")) {
      rows.read_field(setup.station);
      record.read_values(layout.setup_values, true);
      setup.instrument_height = record.value(layout.instrument_height);
      last_setup = records;
      setups.set_up(setup.station, at);
    } else if (marked || equals_text(letter, "D")) {
      setups.observe(at);
      rows.read_field(target);
      record.read_values(marked ? layout.backsight_values : layout.observation_values, false);
      record.angles_to_grads(units.at(own_line));
      const double reading = record.reading();
      const bool first_after_setup = records - last_setup == 1;
      const bool is_backsight = marked || (layout.backsight_values == 0 && first_after_setup);
      if (is_backsight) {
        setup.backsight = target;
        setup.backsight_direction = reading;
      }
      const Value direction =
          reduce_to_backsight(reading, setup.backsight_direction, record.reading_where());
      const Observation o{target,
                          setup.station,
                          setup.backsight,
                          record.value(layout.target_height),
                          direction,
                          record.value(layout.vertical_angle),
                          record.value(layout.slope_distance),
                          setup.instrument_height};
      if (layout.backsight_is_station && first_after_setup) {
        out.stations.write(o);
      } else {
        out.write_routed(o, rows.where());
      }
    } else {
      const std::string kind = quoted_text(plain_text(letter));
      tally.count(tally.passed_over("παραλείφθηκε 1 εγγραφή «" + kind + "»",
                                    "παραλείφθηκαν {} εγγραφές «" + kind + "»"),
                  at);
    }
    rows.skip_rest_of_line();
    tally.count_if_short(rows, at);
  }
  setups.close(c);
  tally.report(c, c.input_name());
}

}  // namespace korvath::leica
